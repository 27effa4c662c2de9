// The callbacks the host calls. Those the plug-in has no use for take their
// arguments off the stack and return 0.
#include <windows.h>

#include "plugin/host_boundary.h"
#include "plugin/info_record.h"
#include "plugin/win32/menu_command.h"
#include "plugin/win32/plugin_state.h"
#include "ui/win32/about/about_box.h"

#define QBX_EXPORT extern "C" int __stdcall

namespace {
constexpr const char* kVendorName = "Quillbox Project";
}

QBX_EXPORT TSC_OnStart() { return 0; }
QBX_EXPORT TSC_OnExit() { return 0; }

QBX_EXPORT TSC_OnMenuInit(LONG_PTR, HMENU menu, int kind)
{
    // A command that could not be added is simply not there.
    quillbox::RunForHost([&] { quillbox::InsertCommand(menu, kind); });
    return 0;
}

QBX_EXPORT TSC_OnOpenFolder(LONG_PTR) { return 0; }
QBX_EXPORT TSC_OnOpenMail(LONG_PTR) { return 0; }
QBX_EXPORT TSC_OnEveryMinute() { return 0; }
QBX_EXPORT TSC_OnOpenCompose(LONG_PTR, LONG_PTR) { return 0; }
QBX_EXPORT TSC_OnOutgoing(LONG_PTR, LONG_PTR) { return 0; }
QBX_EXPORT TSC_OnKeyDispatch(LONG_PTR, LONG_PTR, LONG_PTR) { return 0; }
QBX_EXPORT TSC_OnRetrieve(LONG_PTR, LONG_PTR) { return 0; }
QBX_EXPORT TSC_OnSend(LONG_PTR) { return 0; }
QBX_EXPORT TSC_OnFinishRetrieve(LONG_PTR) { return 0; }

// The About box, over whichever of the host's windows is active.
QBX_EXPORT TSC_OnPlugInSetup(LONG_PTR)
{
    const quillbox::TPlugin* plugin = quillbox::ThePlugin();
    if (!plugin) return 1;
    quillbox::RunForHost([&] {
        quillbox::ShowAbout({plugin->Module, GetActiveWindow(), plugin->Language.LocaleID, plugin->PluginVersion});
    });
    return 1;
}

QBX_EXPORT TSC_OnPlugInInfo(quillbox::TPlugInInfoRecord* record)
{
    const quillbox::TPlugin* plugin = quillbox::ThePlugin();
    if (!record || !plugin) return 0;
    quillbox::RunForHost([&] {
        quillbox::FillPlugInInfo(*record,
                                 {plugin->Language.PlugInTitle, kVendorName, plugin->PluginVersion,
                                  plugin->Language.PlugInDescription},
                                 quillbox::TCodePage::Active());
    });
    return 0;
}

QBX_EXPORT TSC_OnDragDrop(LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR) { return 0; }
