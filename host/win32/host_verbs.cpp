// Script verbs that drive the host itself: the wait limit, selection, the
// host's menus, the store, the plug-ins, files the run leaves, and its end.
#include "script_verb.h"

#include "commands.h"
#include "host_app.h"
#include "menus.h"
#include "screenshot.h"
#include "ui_probe.h"
#include "convert/file_bytes.h"

#include <commctrl.h>

#include <cstdio>
#include <limits>

namespace quillbox {
namespace {

// The menu of a kind: 0 the main menu bar, 1 and 2 the context menus.
// Called on the user-interface thread, so it must not throw: kinds are
// checked by MenuKind first.
HMENU MenuOfKind(THostApp& host, int kind)
{
    return kind == 0 ? GetMenu(host.Windows().main) : host.Windows().contextMenus[kind];
}

int MenuKind(const std::string& word)
{
    const int kind = Number(word);
    if (kind < 0 || kind > 2) Fail("no menu of kind " + word);
    return kind;
}

// The item as the user would see it when the menu opens.
std::optional<TMenuItem> MenuItemOfKind(THostApp& host, const std::string& kindWord, const std::string& caption)
{
    const int kind = MenuKind(kindWord);
    std::optional<TMenuItem> item;
    host.OnUiThread([&] {
        HMENU menu = MenuOfKind(host, kind);
        host.Commands().UpdateStates(menu);
        item = FindMenuItem(menu, caption);
    });
    return item;
}

void SetTimeout(TScriptSession& session, const TScriptWords& w) { session.TimeoutSeconds = std::stod(w[1]); }

void Pause(TScriptSession&, const TScriptWords& w) { Sleep(Number(w[1])); }

void Echo(TScriptSession&, const TScriptWords& w) { std::printf("%s\n", ToLocal(w.size() > 1 ? w[1] : "").c_str()); }

// mailbox, folder and mail: the verb says which.
void Select(TScriptSession& session, const TScriptWords& w)
{
    const std::string& verb = w[0];
    THostApp& host = session.Host;
    bool ok = false;
    const std::string id = ToLocal(w[1]);
    host.OnUiThread([&] {
        ok = verb == "mailbox" ? host.SelectMailBox(id) : verb == "folder" ? host.SelectFolder(id) : host.SelectMail(id);
    });
    if (!ok) Fail("no " + verb + " " + w[1]);
}

void RunMenuItem(TScriptSession& session, const TScriptWords& w)
{
    const std::optional<TMenuItem> item = MenuItemOfKind(session.Host, w[1], w[2]);
    if (!item) Fail("no item \"" + w[2] + "\" in the menu of kind " + w[1]);
    if (!item->enabled) Fail("item \"" + w[2] + "\" of kind " + w[1] + " is greyed");
    PostMessageA(session.Host.Windows().main, WM_COMMAND, MAKEWPARAM(item->id, 0), 0);
}

void DumpMenuOfKind(TScriptSession& session, const TScriptWords& w)
{
    THostApp& host = session.Host;
    std::string dump;
    const int kind = MenuKind(w[1]);
    host.OnUiThread([&] {
        HMENU menu = MenuOfKind(host, kind);
        host.Commands().UpdateStates(menu);
        dump = DumpMenu(menu);
    });
    WriteOut(w[2], dump);
}

void ExpectMenu(TScriptSession& session, const TScriptWords& w)
{
    const std::optional<TMenuItem> item = MenuItemOfKind(session.Host, w[1], w[2]);
    const std::string state = !item ? "absent" : item->enabled ? "enabled" : "greyed";
    if (state != w[3]) Fail("item \"" + w[2] + "\" of kind " + w[1] + " is " + state + ", expected " + w[3]);
}

void WatchStores(TScriptSession& session, const TScriptWords& w)
{
    THostApp& host = session.Host;
    // A plug-in that stores sources may process no messages meanwhile, so
    // its status bar is read as each source is stored, on its own thread.
    const std::string title = w[1], file = ToLocal(w[3]);
    const int panel = Number(w[2]);
    DeleteFileA(file.c_str());
    host.OnUiThread([&] {
        host.SourceReplaced = [title, panel, file](const std::string& mailId) {
            std::string text;
            if (const std::optional<HWND> window = FindWindowByTitle(title))
                if (const std::optional<HWND> bar = FindControl(*window, STATUSCLASSNAMEA)) {
                    wchar_t panelText[1024] = {};
                    SendMessageW(*bar, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(panelText));
                    text = Narrow(panelText);
                }
            if (FILE* out = std::fopen(file.c_str(), "ab")) {
                std::fprintf(out, "%s\t%s\n", FromLocal(mailId).c_str(), text.c_str());
                std::fclose(out);
            }
        };
    });
}

void Source(TScriptSession& session, const TScriptWords& w)
{
    THostApp& host = session.Host;
    std::optional<TSharedText> source;
    host.OnUiThread([&] { source = host.Store().Source(ToLocal(w[1])); });
    if (!source) Fail("no mail " + w[1]);
    WriteOut(w[2], *source);
}

void WaitFile(TScriptSession& session, const TScriptWords& w)
{
    const std::wstring path = Widen(w[1]);
    WaitFor<bool>([&]() -> std::optional<bool> {
        if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
        return true;
    }, SecondsArg(session, w, 2), "file " + w[1]);
}

void Screenshot(TScriptSession&, const TScriptWords& w)
{
    if (!SaveScreenshot(ToLocal(w[1]))) Fail("cannot save a screenshot to " + w[1]);
}

void PluginSetup(TScriptSession& session, const TScriptWords&)
{
    PostMessageA(session.Host.Windows().main, WM_COMMAND, MAKEWPARAM(kIdPluginSetup, 0), 0);
}

void ExpectPlugins(TScriptSession& session, const TScriptWords& w)
{
    const int loaded = static_cast<int>(session.Host.Plugins().Loaded().size());
    if (loaded != Number(w[1])) Fail(std::to_string(loaded) + " plug-in(s) loaded, expected " + w[1]);
}

void PluginInfo(TScriptSession& session, const TScriptWords& w)
{
    const std::string form = w.size() > 2 ? w[2] : "";
    std::string text;
    for (const auto& plugin : session.Host.Plugins().Loaded()) {
        if (form == "record") {
            text += plugin->Record();
            continue;
        }
        for (const std::string* field : {&plugin->Name(), &plugin->Vendor(), &plugin->Version(), &plugin->Description()})
            text += (form == "raw" ? *field : FromLocal(*field)) + "\n";
    }
    WriteOut(w[1], text);
}

void ExpectCurrentMail(TScriptSession& session, const TScriptWords& w)
{
    THostApp& host = session.Host;
    std::string current;
    host.OnUiThread([&] { current = host.CurrentMail(); });
    if (current != ToLocal(w[1])) Fail("the current mail is \"" + current + "\"");
}

// expect-contains and expect-lacks: the verb says which.
void ExpectInFile(TScriptSession&, const TScriptWords& w)
{
    const std::string text = ReadFileBytes(ToLocal(w[1])).value_or("");
    const bool found = text.find(w[2]) != std::string::npos;
    if (found != (w[0] == "expect-contains")) Fail(w[1] + (found ? " contains " : " lacks ") + "\"" + w[2] + "\"");
}

void PostQuit(TScriptSession& session, const TScriptWords&)
{
    // What a host does to end its run while a plug-in's modal window is
    // open: the quit message reaches whichever message loop runs.
    const DWORD uiThread = GetWindowThreadProcessId(session.Host.Windows().main, nullptr);
    if (!PostThreadMessageA(uiThread, WM_QUIT, 0, 0)) Fail("cannot post the quit message");
}

void Quit(TScriptSession& session, const TScriptWords&)
{
    const HWND main = session.Host.Windows().main;
    std::vector<std::string> open;
    for (HWND window : VisibleTopLevelWindows())
        if (window != main) open.push_back(WindowTitle(window));
    if (!open.empty()) Fail("windows still open: " + Joined(open));
    PostMessageA(main, WM_CLOSE, 0, 0);
}

constexpr std::size_t kAnyCount = std::numeric_limits<std::size_t>::max();

constexpr TScriptVerb kHostVerbs[] = {
    {"timeout", 1, 1, "timeout SECONDS", SetTimeout},
    {"sleep", 1, 1, "sleep MILLISECONDS", Pause},
    // Prints its first word, or an empty line; further words are ignored.
    {"echo", 0, kAnyCount, "echo TEXT", Echo},
    {"mailbox", 1, 1, "mailbox|folder|mail ID", Select},
    {"folder", 1, 1, "mailbox|folder|mail ID", Select},
    {"mail", 1, 1, "mailbox|folder|mail ID", Select},
    {"run", 2, 2, "run KIND CAPTION", RunMenuItem},
    {"dump-menu", 2, 2, "dump-menu KIND FILE", DumpMenuOfKind},
    {"expect-menu", 3, 3, "expect-menu KIND CAPTION enabled|greyed|absent", ExpectMenu},
    {"watch-stores", 3, 3, "watch-stores TITLE PANEL FILE", WatchStores},
    {"source", 2, 2, "source MAIL-ID FILE", Source},
    {"wait-file", 1, 2, "wait-file FILE [SECONDS]", WaitFile},
    {"screenshot", 1, 1, "screenshot FILE.bmp", Screenshot},
    {"plugin-setup", 0, 0, "plugin-setup", PluginSetup},
    {"expect-plugins", 1, 1, "expect-plugins COUNT", ExpectPlugins},
    {"plugin-info", 1, 2, "plugin-info FILE [raw|record]", PluginInfo},
    {"expect-current-mail", 1, 1, "expect-current-mail ID", ExpectCurrentMail},
    {"expect-contains", 2, 2, "expect-contains|expect-lacks FILE TEXT", ExpectInFile},
    {"expect-lacks", 2, 2, "expect-contains|expect-lacks FILE TEXT", ExpectInFile},
    {"post-quit", 0, 0, "post-quit", PostQuit},
    {"quit", 0, 0, "quit", Quit},
};

}  // namespace

std::span<const TScriptVerb> HostVerbs() { return kHostVerbs; }

}  // namespace quillbox
