#include "script_runner.h"

#include "host_app.h"
#include "convert/file_bytes.h"

#include <array>
#include <cstdio>

namespace quillbox {
namespace {

const TScriptVerb* FindVerb(const std::string& name)
{
    for (const std::span<const TScriptVerb> table : std::array{HostVerbs(), InputVerbs(), DialogVerbs(), WindowVerbs()})
        for (const TScriptVerb& verb : table)
            if (verb.Name == name) return &verb;
    return nullptr;
}

}  // namespace

bool TScriptRunner::Start(const std::string& path)
{
    const std::optional<std::string> text = ReadFileBytes(path);
    if (!text) {
        std::fprintf(stderr, "script: cannot read %s\n", path.c_str());
        return false;
    }
    auto parsed = ParseScript(*text);
    if (auto* error = std::get_if<TScriptError>(&parsed)) {
        std::fprintf(stderr, "script: line %d: %s\n", error->line, error->message.c_str());
        return false;
    }
    lines_ = std::move(std::get<std::vector<TScriptLine>>(parsed));
    thread_ = std::thread([this] { RunAll(); });
    return true;
}

void TScriptRunner::Join()
{
    if (thread_.joinable()) thread_.join();
}

void TScriptRunner::RunAll()
{
    for (const TScriptLine& line : lines_) {
        try {
            std::printf("script: %d: %s\n", line.number, line.words[0].c_str());
            RunLine(line);
        } catch (const std::exception& failure) {
            std::fprintf(stderr, "script: line %d (%s): %s\n", line.number, line.words[0].c_str(), failure.what());
            failed_ = true;
            std::fflush(nullptr);
            // A failed run may leave modal windows the script can no longer
            // close; end the process rather than hang the test.
            ExitProcess(3);
        }
    }
    // Without "quit" the script still ends the run.
    PostMessageA(session_.Host.Windows().main, WM_CLOSE, 0, 0);
}

void TScriptRunner::RunLine(const TScriptLine& line)
{
    const std::vector<std::string>& words = line.words;
    const TScriptVerb* verb = FindVerb(words[0]);
    if (!verb) Fail("unknown command " + words[0]);
    const std::size_t args = words.size() - 1;
    if (args < verb->LeastArgs || args > verb->MostArgs) Fail("usage: " + std::string(verb->Usage));
    verb->Run(session_, words);
}

}  // namespace quillbox
