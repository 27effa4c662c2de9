// What the plug-in keeps from a successful start-up until it is unloaded.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "catalogue/icons/icon_list.h"
#include "plugin/win32/menu_bitmap.h"
#include "plugin/win32/tansy_api_table.h"
#include "settings/language.h"
#include "settings/settings_values.h"
#include "settings/settings_writer.h"

namespace quillbox {

// Keeps the regular-expression library loaded while it lives.
class TRegexLibraryLease {
public:
    TRegexLibraryLease() = default;
    ~TRegexLibraryLease();
    TRegexLibraryLease(const TRegexLibraryLease&) = delete;
    TRegexLibraryLease& operator=(const TRegexLibraryLease&) = delete;

    bool Load(const std::string& folder, const std::string& errorCaption);

private:
    bool loaded_ = false;
};

struct TPlugin {
    explicit TPlugin(HINSTANCE module) : Module(module), MenuBitmap(module) {}

    HINSTANCE Module;
    TLanguage Language;
    std::string PluginVersion;
    // Small file-type icons by extension; attachments point into it.
    std::unique_ptr<TIconList> Icons;
    std::string PluginFolder;
    std::string SettingsPath;
    TSettings Settings;
    std::unique_ptr<TSettingsFile> SettingsFile;
    TRegexLibraryLease RegexLibrary;
    std::unique_ptr<TTansyAPI> HostAPI;
    TMenuBitmap MenuBitmap;
    HWND HostMainWindow = nullptr;
};

// The running plug-in; null before a successful start-up and after unload.
TPlugin* ThePlugin();

bool PluginInit(HINSTANCE module);
void PluginExit();

}  // namespace quillbox
