#include "plugins.h"

#include "pe_exports.h"
#include "tansy/info_record_layout.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace quillbox {
namespace {

using TNoArgument = int(WINAPI*)();
using TOneArgument = int(WINAPI*)(LONG_PTR);
using TMenuInit = int(WINAPI*)(LONG_PTR, HMENU, int);
using TInfo = int(WINAPI*)(char*);

// The description field is the host's to size: room beyond what a plug-in
// may write, so that a longer text shows up in the record.
constexpr std::size_t kInfoRecordSize = tansy::kInfoDescriptionOffset + tansy::kInfoDescriptionSize + 32;
// The record is filled with this before the call, so that every byte the
// plug-in did not write can be told apart (no code page uses 0xFF in text).
constexpr char kUnwritten = '\xFF';

// A field's text, empty unless it ends inside the field.
std::string Field(const std::string& record, std::size_t offset, std::size_t size)
{
    const std::size_t end = record.find('\0', offset);
    return end < offset + size ? record.substr(offset, end - offset) : std::string();
}

bool IsPluginEntryPoint(const std::string& name) { return name.rfind("TSC_", 0) == 0; }

}  // namespace

TPlugin::TPlugin(std::string path, HMODULE module) : path_(std::move(path)), module_(module) {}

TPlugin::~TPlugin() { FreeLibrary(module_); }

std::unique_ptr<TPlugin> TPlugin::Load(const std::string& path)
{
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) return nullptr;
    std::unique_ptr<TPlugin> plugin(new TPlugin(path, module));
    if (auto info = plugin->Proc<TInfo>("TSC_OnPlugInInfo")) {
        std::string record(kInfoRecordSize, kUnwritten);
        info(record.data());
        plugin->name_ = Field(record, tansy::kInfoNameOffset, tansy::kInfoNameSize);
        plugin->vendor_ = Field(record, tansy::kInfoVendorOffset, tansy::kInfoVendorSize);
        plugin->version_ = Field(record, tansy::kInfoVersionOffset, tansy::kInfoVersionSize);
        plugin->description_ =
            Field(record, tansy::kInfoDescriptionOffset, kInfoRecordSize - tansy::kInfoDescriptionOffset);
        plugin->record_ = std::move(record);
    }
    if (plugin->name_.empty()) plugin->name_ = path.substr(path.find_last_of("\\/") + 1);
    return plugin;
}

template <class TFunction>
TFunction TPlugin::Proc(const char* name) const
{
    return reinterpret_cast<TFunction>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
}

void TPlugin::OnStart() const
{
    if (auto f = Proc<TNoArgument>("TSC_OnStart")) f();
}

void TPlugin::OnExit() const
{
    if (auto f = Proc<TNoArgument>("TSC_OnExit")) f();
}

void TPlugin::OnMenuInit(HWND owner, HMENU menu, int kind) const
{
    if (auto f = Proc<TMenuInit>("TSC_OnMenuInit"))
        f(reinterpret_cast<LONG_PTR>(owner), menu, kind);
}

void TPlugin::OnOpenFolder() const
{
    if (auto f = Proc<TOneArgument>("TSC_OnOpenFolder")) f(0);
}

void TPlugin::OnOpenMail() const
{
    if (auto f = Proc<TOneArgument>("TSC_OnOpenMail")) f(0);
}

void TPlugin::OnEveryMinute() const
{
    if (auto f = Proc<TNoArgument>("TSC_OnEveryMinute")) f();
}

int TPlugin::OnPlugInSetup(HWND owner) const
{
    auto f = Proc<TOneArgument>("TSC_OnPlugInSetup");
    return f ? f(reinterpret_cast<LONG_PTR>(owner)) : 0;
}

void TPluginSet::LoadAll(const std::vector<std::string>& paths)
{
    for (const std::string& path : paths) {
        if (std::unique_ptr<TPlugin> plugin = TPlugin::Load(path)) {
            std::printf("plugin: loaded %s (%s) from %s\n", plugin->Name().c_str(), plugin->Version().c_str(),
                        path.c_str());
            plugins_.push_back(std::move(plugin));
        } else {
            std::fprintf(stderr, "plugin: cannot load %s (error %lu)\n", path.c_str(), GetLastError());
            ++failures_;
        }
    }
    std::fflush(stdout);
}

void TPluginSet::UnloadAll()
{
    for (const auto& plugin : plugins_) plugin->OnExit();
    plugins_.clear();
}

std::vector<std::string> PluginsInFolder(const std::string& folder)
{
    std::vector<std::string> paths;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "*.dll").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return paths;
    do {
        // Libraries that plug-ins bring along (bregexp.dll) are no plug-ins.
        const std::string path = folder + found.cFileName;
        const std::vector<std::string> names = ExportedNames(path);
        if (std::any_of(names.begin(), names.end(), IsPluginEntryPoint)) paths.push_back(path);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(paths.begin(), paths.end());
    return paths;
}

}  // namespace quillbox
