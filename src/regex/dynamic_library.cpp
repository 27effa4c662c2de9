#include "regex/dynamic_library.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace quillbox {

#ifdef _WIN32
std::unique_ptr<TDynamicLibrary> TDynamicLibrary::Open(const std::string& path)
{
    HMODULE module = LoadLibraryA(path.c_str());
    return module ? std::unique_ptr<TDynamicLibrary>(new TDynamicLibrary(module)) : nullptr;
}

TDynamicLibrary::~TDynamicLibrary() { FreeLibrary(static_cast<HMODULE>(handle_)); }

void* TDynamicLibrary::Symbol(const char* name) const
{
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

TLibraryNaming PlatformLibraryNaming() { return {'\\', "bregexp.dll"}; }
#else
std::unique_ptr<TDynamicLibrary> TDynamicLibrary::Open(const std::string& path)
{
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    return handle ? std::unique_ptr<TDynamicLibrary>(new TDynamicLibrary(handle)) : nullptr;
}

TDynamicLibrary::~TDynamicLibrary() { dlclose(handle_); }

void* TDynamicLibrary::Symbol(const char* name) const { return dlsym(handle_, name); }

TLibraryNaming PlatformLibraryNaming() { return {'/', "libbregexp.so"}; }
#endif

std::string LibraryPath(const std::string& folder, const TLibraryNaming& naming, TCodePage codePage)
{
    std::string path = folder;
    const std::size_t last = codePage.FindLastChar(folder, naming.Separator);
    if (folder.empty() || last != folder.size() - 1) path += naming.Separator;
    return path + naming.FileName;
}

}  // namespace quillbox
