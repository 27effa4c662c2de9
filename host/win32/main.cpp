// tansyhost.exe: a small mail client that loads Tansy plug-ins, for the
// end-to-end tests and the demo. See host/README.md.
#include "host_app.h"
#include "main_window.h"
#include "script_runner.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace quillbox {
namespace {

constexpr int kExitStartup = 1;
constexpr int kExitLedger = 2;
constexpr int kExitScript = 3;

void Usage()
{
    std::fprintf(stderr,
                 "usage: tansyhost [--data DIR] [--mailbox ID] [--folder ID] [--plugin DLL]...\n"
                 "                 [--plugin-dir DIR] [--script FILE] [--main-menus N]\n"
                 "                 [--context-layout separated|first|absent|plain] [--minimized]\n");
}

// A 0x5C that is the second byte of a double-byte character (表 in code page
// 932) is no separator.
std::string WithSeparator(std::string path)
{
    if (path.empty()) return path;
    const char* end = path.c_str() + path.size();
    const char* last = CharPrevA(path.c_str(), end);
    if (last != end - 1 || (*last != '\\' && *last != '/')) path += '\\';
    return path;
}

std::string ExecutableFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

bool ParseOptions(int argc, char** argv, THostOptions& options)
{
    options.dataFolder = ExecutableFolder() + "data\\";
    options.pluginFolder = ExecutableFolder() + "plugins\\";
    bool explicitPlugins = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--minimized") {
            options.hidden = true;
            continue;
        }
        if (!hasValue) return false;
        const std::string value = argv[++i];
        if (arg == "--data") options.dataFolder = WithSeparator(value);
        else if (arg == "--mailbox") options.mailBox = value;
        else if (arg == "--folder") options.folder = value;
        else if (arg == "--plugin") options.plugins.push_back(value), explicitPlugins = true;
        else if (arg == "--plugin-dir") options.pluginFolder = WithSeparator(value);
        else if (arg == "--script") options.script = value;
        else if (arg == "--main-menus") options.mainMenus = std::atoi(value.c_str());
        else if (arg == "--context-layout") {
            const auto layout = ParseContextLayout(value);
            if (!layout) return false;
            options.contextLayout = *layout;
        } else {
            return false;
        }
    }
    if (!explicitPlugins) options.plugins = PluginsInFolder(options.pluginFolder);
    return true;
}

int Run(int argc, char** argv)
{
    THostOptions options;
    if (!ParseOptions(argc, argv, options)) {
        Usage();
        return kExitStartup;
    }
    THostApp host(options);
    SetHost(&host);
    host.Plugins().LoadAll(options.plugins);
    for (const auto& plugin : host.Plugins().Loaded()) plugin->OnStart();
    if (!CreateMainWindow(host, options.hidden ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL)) {
        std::fprintf(stderr, "tansyhost: cannot create the main window\n");
        return kExitStartup;
    }
    host.Refresh();
    if (!options.mailBox.empty() && !host.SelectMailBox(options.mailBox))
        std::fprintf(stderr, "tansyhost: no mailbox %s\n", options.mailBox.c_str());
    if (!options.folder.empty() && !host.SelectFolder(options.folder))
        std::fprintf(stderr, "tansyhost: no folder %s\n", options.folder.c_str());

    TScriptRunner script(host);
    if (!options.script.empty() && !script.Start(options.script)) return kExitScript;

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    script.Join();
    host.Plugins().UnloadAll();
    const bool clean = host.Ledger().Report(stdout);
    if (script.Failed()) return kExitScript;
    return clean ? 0 : kExitLedger;
}

}  // namespace
}  // namespace quillbox

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    return quillbox::Run(argc, argv);
}
