#include "regex/regex_library.h"

#include <memory>

#include "regex/dynamic_library.h"
#include "regex/regex_entry_points.h"

namespace quillbox {
namespace {

struct TLoadedRegexLibrary {
    std::unique_ptr<TDynamicLibrary> Library;
    TRegexEntryPoints Entries;
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
    return g_library ? &g_library->Entries : nullptr;
}

bool LoadRegexLibrary(const std::string& folder, const std::function<void(const std::string& message)>& showError)
{
    UnloadRegexLibrary();
    const std::string path = LibraryPath(folder, PlatformLibraryNaming(), TCodePage::Active());
    auto loaded = std::make_unique<TLoadedRegexLibrary>();
    loaded->Library = TDynamicLibrary::Open(path);
    if (!loaded->Library) {
        showError("Loading \"" + path + "\" failed.");
        return false;
    }
    const TDynamicLibrary& lib = *loaded->Library;
    TRegexEntryPoints& e = loaded->Entries;
    e.Match = Resolve<BMatchFunc>(lib, "BMatch", showError);
    e.Subst = Resolve<BMatchFunc>(lib, "BSubst", showError);
    e.Trans = Resolve<BMatchFunc>(lib, "BTrans", showError);
    e.Split = Resolve<BSplitFunc>(lib, "BSplit", showError);
    e.Regfree = Resolve<BRegfreeFunc>(lib, "BRegfree", showError);
    e.Version = Resolve<BRegexpVersionFunc>(lib, "BRegexpVersion", showError);
    if (!e.Match) return false;
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
