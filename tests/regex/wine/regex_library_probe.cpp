// Loads bregexp.dll through LoadRegexLibrary from the folder given on the
// command line and runs the plug-in's kinds of pattern through it. With
// --dbcs-tail the folder's name must end in a double-byte character whose
// trail byte is 0x5C, so that the separator rule is what is being tried.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "regex/regex_library.h"

namespace {

int g_failures = 0;

void Check(bool ok, const std::string& what)
{
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    if (!ok) ++g_failures;
}

std::string ErrorOf(const std::string& pattern, const std::string& text)
{
    try {
        quillbox::SharedRegExp().Match(pattern, text);
    } catch (const quillbox::EBRegExpError& e) {
        return e.what();
    }
    return "<no error>";
}

// Under code page 932 a double-byte character is one character by default;
// under 1252 every byte is one.
void RunPatterns(bool doubleByte)
{
    using quillbox::SharedRegExp;
    using quillbox::TBRegExp;
    const std::string header = "Content-Type: multipart/mixed;\r\n boundary=\"=_b\x95\x5C\"\r\n";
    TBRegExp& shared = SharedRegExp();
    Check(shared.Match("m/content\\-type\\:\\s*(\\w+)\\/(\\w+)\\;\\s*boundary\\s*\\=\\\"*([^\\s\\\"]+)\\\"*/i", header) &&
              shared.Strings(3) == "=_b\x95\x5C",
          "boundary with a double-byte character");
    std::string pattern = "--" + shared.Strings(3);
    const std::string escaped = doubleByte ? "\\-\\-\\=_b\\\x95\x5C" : "\\-\\-\\=_b\\\x95\\\x5C";
    Check(shared.Subst("s/(\\W)/\\\\$1/g", pattern) && pattern == escaped, "boundary escaped");
    TBRegExp own;
    const std::string source = "head\r\n--=_b\x95\x5C\r\npart\r\n--=_b\x95\x5C--\r\n";
    Check(own.Split("m/" + pattern + "\\-*\\s*/", source, 200) && own.Count() == 2 && own.Strings(1) == "part\r\n",
          "source split at the boundary");
    std::string name = "\x83\x41" "BC.TXT";
    Check(shared.Trans("tr/A-Z/a-z/", name) && name == (doubleByte ? "\x83\x41" "bc.txt" : "\x83" "abc.txt"),
          "tr reads the text by the code page");
    Check(ErrorOf("m/(/", "a") == "unmatched ( in regex", "bad pattern reported");
    Check(ErrorOf("m/^(a+)+$/", std::string(40, 'a') + "!") == "pattern too complex", "runaway pattern stopped");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: regex_library_probe FOLDER [--dbcs-tail]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const bool dbcsTail = argc > 2 && std::strcmp(argv[2], "--dbcs-tail") == 0;
    std::printf("ACP=%u folder ends in %02X %02X\n", GetACP(),
                folder.size() > 1 ? static_cast<unsigned char>(folder[folder.size() - 2]) : 0,
                static_cast<unsigned char>(folder.back()));
    if (dbcsTail)
        Check(GetACP() == 932 && folder.size() > 1 && IsDBCSLeadByte(static_cast<BYTE>(folder[folder.size() - 2])) &&
                  folder.back() == '\\',
              "folder name ends in a trail byte 0x5C");

    std::vector<std::string> errors;
    const auto collect = [&](const std::string& m) { errors.push_back(m); };
    for (const std::string& f : {folder, folder + "\\"}) {
        errors.clear();
        Check(quillbox::LoadRegexLibrary(f, collect) && errors.empty(), "loaded from " + f);
        if (errors.empty()) RunPatterns(GetACP() == 932);
        quillbox::UnloadRegexLibrary();
    }
    errors.clear();
    Check(!quillbox::LoadRegexLibrary(folder + "\\missing", collect) && errors.size() == 1 &&
              errors[0] == "Loading \"" + folder + "\\missing\\bregexp.dll\" failed.",
          "missing library reported");
    std::printf("%s\n", g_failures == 0 ? "all passed" : "failures");
    return g_failures == 0 ? 0 : 1;
}
