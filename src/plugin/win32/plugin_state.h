// What the plug-in keeps from a successful start-up until it is unloaded.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "catalogue/icons/icon_list.h"
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

// The menu command's picture, loaded on first use and shared by every menu
// the host builds, so that rebuilding menus costs no bitmap each time.
class TMenuBitmap {
public:
    explicit TMenuBitmap(HINSTANCE module) : module_(module) {}
    ~TMenuBitmap();
    TMenuBitmap(const TMenuBitmap&) = delete;
    TMenuBitmap& operator=(const TMenuBitmap&) = delete;

    HBITMAP Get();  // null when the resource does not load

private:
    HINSTANCE module_;
    HBITMAP bitmap_ = nullptr;
    bool tried_ = false;
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
