#include "plugins.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace quillbox {
namespace {

using TNoArgument = int(WINAPI*)();
using TOneArgument = int(WINAPI*)(LONG_PTR);
using TMenuInit = int(WINAPI*)(LONG_PTR, HMENU, int);
using TInfo = int(WINAPI*)(char*);

// Name, vendor and version fields of 80 bytes, then the description.
constexpr std::size_t kInfoRecordSize = 80 * 3 + 224 + 32;

std::string Field(const char* record, std::size_t offset, std::size_t size)
{
    return std::string(record + offset, strnlen(record + offset, size));
}

}  // namespace

TPlugin::TPlugin(std::string path, HMODULE module) : path_(std::move(path)), module_(module) {}

TPlugin::~TPlugin() { FreeLibrary(module_); }

std::unique_ptr<TPlugin> TPlugin::Load(const std::string& path)
{
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) return nullptr;
    std::unique_ptr<TPlugin> plugin(new TPlugin(path, module));
    if (auto info = reinterpret_cast<TInfo>(plugin->Proc("TSC_OnPlugInInfo"))) {
        char record[kInfoRecordSize] = {};
        info(record);
        plugin->name_ = Field(record, 0, 80);
        plugin->vendor_ = Field(record, 80, 80);
        plugin->version_ = Field(record, 160, 80);
        plugin->description_ = Field(record, 240, kInfoRecordSize - 240);
    }
    if (plugin->name_.empty()) plugin->name_ = path.substr(path.find_last_of("\\/") + 1);
    return plugin;
}

FARPROC TPlugin::Proc(const char* name) const { return GetProcAddress(module_, name); }

void TPlugin::OnStart() const
{
    if (auto f = reinterpret_cast<TNoArgument>(Proc("TSC_OnStart"))) f();
}

void TPlugin::OnExit() const
{
    if (auto f = reinterpret_cast<TNoArgument>(Proc("TSC_OnExit"))) f();
}

void TPlugin::OnMenuInit(HWND owner, HMENU menu, int kind) const
{
    if (auto f = reinterpret_cast<TMenuInit>(Proc("TSC_OnMenuInit")))
        f(reinterpret_cast<LONG_PTR>(owner), menu, kind);
}

void TPlugin::OnOpenFolder() const
{
    if (auto f = reinterpret_cast<TOneArgument>(Proc("TSC_OnOpenFolder"))) f(0);
}

void TPlugin::OnOpenMail() const
{
    if (auto f = reinterpret_cast<TOneArgument>(Proc("TSC_OnOpenMail"))) f(0);
}

void TPlugin::OnEveryMinute() const
{
    if (auto f = reinterpret_cast<TNoArgument>(Proc("TSC_OnEveryMinute"))) f();
}

int TPlugin::OnPlugInSetup(HWND owner) const
{
    auto f = reinterpret_cast<TOneArgument>(Proc("TSC_OnPlugInSetup"));
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
        paths.push_back(folder + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(paths.begin(), paths.end());
    return paths;
}

}  // namespace quillbox
