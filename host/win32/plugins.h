// The plug-ins the host has loaded and the callbacks it calls on them.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace quillbox {

class TPlugin {
public:
    // nullptr when the library does not load (its initialisation refused).
    static std::unique_ptr<TPlugin> Load(const std::string& path);
    ~TPlugin();
    TPlugin(const TPlugin&) = delete;
    TPlugin& operator=(const TPlugin&) = delete;

    const std::string& Path() const { return path_; }
    const std::string& Name() const { return name_; }
    const std::string& Version() const { return version_; }
    // The rest of the information record, as the plug-in wrote it.
    const std::string& Vendor() const { return vendor_; }
    const std::string& Description() const { return description_; }
    // The whole information record after the call, byte for byte; bytes the
    // plug-in did not write hold 0xFF. Empty without TSC_OnPlugInInfo.
    const std::string& Record() const { return record_; }

    void OnStart() const;
    void OnExit() const;
    void OnMenuInit(HWND owner, HMENU menu, int kind) const;
    void OnOpenFolder() const;
    void OnOpenMail() const;
    void OnEveryMinute() const;
    // False when the plug-in offers no set-up.
    // The callback's result; 0 when the plug-in has no such callback.
    int OnPlugInSetup(HWND owner) const;

private:
    TPlugin(std::string path, HMODULE module);
    template <class TFunction>
    TFunction Proc(const char* name) const;

    std::string path_;
    HMODULE module_;
    std::string name_;
    std::string version_;
    std::string vendor_;
    std::string description_;
    std::string record_;
};

class TPluginSet {
public:
    // Loads every path; reports each failure on standard error.
    void LoadAll(const std::vector<std::string>& paths);
    const std::vector<std::unique_ptr<TPlugin>>& Loaded() const { return plugins_; }
    int Failures() const { return failures_; }
    // OnExit on each, then unloads them.
    void UnloadAll();

private:
    std::vector<std::unique_ptr<TPlugin>> plugins_;
    int failures_ = 0;
};

// The DLLs in a folder that export plug-in entry points (TSC_...), sorted by
// name; other DLLs are passed over without being loaded.
std::vector<std::string> PluginsInFolder(const std::string& folder);

}  // namespace quillbox
