#include "regex/regex_library.h"

#include <memory>

#include "regex/dynamic_library.h"
#include "regex/regex_entry_points.h"

namespace quillbox {
namespace {

struct TLoadedRegexLibrary {
    std::unique_ptr<TDynamicLibrary> library;
    TRegexEntryPoints entries;
};

// Plug-in lifetime: from LoadRegexLibrary to UnloadRegexLibrary.
std::unique_ptr<TLoadedRegexLibrary> g_library;
std::unique_ptr<TBRegExp> g_shared;

template <class F>
F Resolve(const TDynamicLibrary& library, const char* name,
          const std::function<void(const std::string&)>& showError)
{
    void* symbol = library.Symbol(name);
    if (!symbol) showError(std::string("GetProcAddress failed \"") + name + "\"");
    return reinterpret_cast<F>(symbol);
}

}  // namespace

const TRegexEntryPoints* LoadedRegexEntryPoints()
{
    return g_library ? &g_library->entries : nullptr;
}

bool LoadRegexLibrary(const std::string& folder, const std::function<void(const std::string& message)>& showError)
{
    UnloadRegexLibrary();
    const std::string path = LibraryPath(folder, PlatformLibraryNaming(), TCodePage::Active());
    auto loaded = std::make_unique<TLoadedRegexLibrary>();
    loaded->library = TDynamicLibrary::Open(path);
    if (!loaded->library) {
        showError("Loading \"" + path + "\" failed.");
        return false;
    }
    const TDynamicLibrary& lib = *loaded->library;
    TRegexEntryPoints& e = loaded->entries;
    e.match = Resolve<BMatchFunc>(lib, "BMatch", showError);
    e.subst = Resolve<BMatchFunc>(lib, "BSubst", showError);
    e.trans = Resolve<BMatchFunc>(lib, "BTrans", showError);
    e.split = Resolve<BSplitFunc>(lib, "BSplit", showError);
    e.regfree = Resolve<BRegfreeFunc>(lib, "BRegfree", showError);
    e.version = Resolve<BRegexpVersionFunc>(lib, "BRegexpVersion", showError);
    if (!e.match) return false;
    g_library = std::move(loaded);
    return true;
}

void UnloadRegexLibrary()
{
    g_shared.reset();
    g_library.reset();
}

TBRegExp& SharedRegExp()
{
    if (!g_shared) g_shared = std::make_unique<TBRegExp>();
    return *g_shared;
}

}  // namespace quillbox
