// The platform's dynamic loading (LoadLibraryA on Windows, dlopen
// elsewhere), and the name the regular-expression library has there.
#pragma once

#include <memory>
#include <string>

#include "text/code_page.h"

namespace quillbox {

class TDynamicLibrary {
public:
    // Null when the file cannot be loaded.
    static std::unique_ptr<TDynamicLibrary> Open(const std::string& path);
    ~TDynamicLibrary();
    TDynamicLibrary(const TDynamicLibrary&) = delete;
    TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;

    // Null when the library has no such symbol.
    void* Symbol(const char* name) const;

private:
    explicit TDynamicLibrary(void* handle) : handle_(handle) {}
    void* handle_;
};

struct TLibraryNaming {
    char Separator;
    const char* FileName;
};

// "\" and bregexp.dll on Windows, "/" and libbregexp.so elsewhere.
TLibraryNaming PlatformLibraryNaming();

// folder + separator (unless the folder already ends in one, a trail byte
// of a double-byte character being no separator) + file name.
std::string LibraryPath(const std::string& folder, const TLibraryNaming& naming, TCodePage codePage);

}  // namespace quillbox
