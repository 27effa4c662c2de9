// Sequences of pattern-service operations over the library, the way callers
// mix them: matches, substitutions, transliterations and splits on two
// instances, reads of their results at any later step, and direct calls of
// the C entry points. The input is a list of steps, each ended by two zero
// bytes: an operation byte, an option byte, the command up to a byte 0x01,
// then the text, which lives in a string of the step's own or in one that
// every step may reuse (a split's, until the instance's next operation, as
// its pieces need). The first option byte chooses the code page.
//
// Checked: every group and piece the library reports lies inside the text
// it was given; what the service returns are bytes of the text its last
// operation ran over; results are readable only from the operation that
// made them; a match gives what a fresh instance gives.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "regex/regex_entry_points.h"
#include "regex/regex_library.h"
#include "text/code_page.h"

namespace {

using namespace quillbox;

void Require(bool condition, const char* what)
{
    if (condition) return;
    std::fprintf(stderr, "regex_fuzz: %s\n", what);
    std::abort();
}

const std::string kOutside = "the regular-expression library gave a result outside the text";

// Runs an operation that may fail with the service's error; only our own
// library's ordinary messages may come back.
template <class F>
bool Try(F&& operation)
{
    try {
        operation();
        return true;
    } catch (const EBRegExpError& e) {
        Require(e.what() != kOutside, "the library reported a result outside the text");
        return false;
    }
}

template <class F>
std::string ErrorOf(F&& operation)
{
    try {
        operation();
    } catch (const EBRegExpError& e) {
        return e.what();
    }
    return "";
}

struct TStep {
    unsigned char op = 0;
    unsigned char options = 0;
    std::string command;
    std::string text;
};

std::vector<TStep> Steps(std::string_view input)
{
    std::vector<TStep> steps;
    while (!input.empty() && steps.size() < 24) {
        const std::size_t end = input.find(std::string_view("\0\0", 2));
        std::string_view step = input.substr(0, end);
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 2);
        if (step.size() < 2) continue;
        TStep s;
        s.op = static_cast<unsigned char>(step[0]);
        s.options = static_cast<unsigned char>(step[1]);
        step.remove_prefix(2);
        const std::size_t split = step.find('\x01');
        s.command = std::string(step.substr(0, split));
        if (split != std::string_view::npos) s.text = std::string(step.substr(split + 1));
        steps.push_back(std::move(s));
    }
    return steps;
}

// What an instance's results must agree with: their kind, and the text of
// the operation that made them.
struct TTracked {
    TBRegExp service;
    enum class TKind { None, Groups, Pieces } kind = TKind::None;
    std::string source;
    std::string splitText;
};

bool IsPartOf(const std::string& part, const std::string& whole)
{
    return part.empty() || whole.find(part) != std::string::npos;
}

void CheckReaders(const TTracked& t, unsigned char options)
{
    const TBRegExp& re = t.service;
    if (t.kind == TTracked::TKind::None) {
        Require(ErrorOf([&] { re.Count(); }) == "no count now", "Count without results");
        Require(ErrorOf([&] { re.Strings(0); }) == "no strings now", "Strings without results");
        Require(ErrorOf([&] { re.SplitLeft(0, 1); }) == "index out of range", "SplitLeft without pieces");
        return;
    }
    const int count = re.Count();
    Require(count >= (t.kind == TTracked::TKind::Groups ? 1 : 0), "Count");
    const int length = options & 31;
    for (int i = -1; i <= count; ++i) {
        if (i < 0 || i == count) {
            Require(ErrorOf([&] { re.Strings(i); }) == "index out of range", "Strings out of range");
            Require(ErrorOf([&] { re.SplitLeft(i, length); }) == "index out of range", "SplitLeft out of range");
            continue;
        }
        const std::string s = re.Strings(i);
        Require(IsPartOf(s, t.source), "a result that is not part of its text");
        Require(re.SubLength(i) == static_cast<int>(s.size()), "SubLength");
        if (t.kind == TTracked::TKind::Pieces)
            Require(re.SplitLeft(i, length) == s.substr(0, static_cast<std::size_t>(length)), "SplitLeft");
        else
            Require(ErrorOf([&] { re.SplitLeft(i, length); }) == "index out of range", "SplitLeft after a match");
    }
}

void CheckRange(const char* start, const char* end, const char* begin, const char* textEnd, const char* what)
{
    Require((!start && !end) || (start && end && begin <= start && start <= end && end <= textEnd), what);
}

// The C entry points on a record kept across steps, over a text in a buffer
// of its own size.
void CallDirectly(BREGEXP*& rx, const TStep& step)
{
    const TRegexEntryPoints* entries = LoadedRegexEntryPoints();
    std::unique_ptr<char[]> buffer(new char[step.text.size() + 1]);
    std::memcpy(buffer.get(), step.text.data(), step.text.size());
    const char* begin = buffer.get();
    const char* end = begin + step.text.size();
    char message[BREGEXP_MAX_ERROR];
    std::memset(message, 0x7F, sizeof message);
    int result = 0;
    const int entry = step.options & 3;
    switch (entry) {
    case 0: result = entries->Match(step.command.c_str(), begin, end, &rx, message); break;
    case 1: result = entries->Subst(step.command.c_str(), begin, end, &rx, message); break;
    case 2: result = entries->Trans(step.command.c_str(), begin, end, &rx, message); break;
    default: result = entries->Split(step.command.c_str(), begin, end, (step.options >> 2) - 1, &rx, message); break;
    }
    Require(std::memchr(message, 0, sizeof message) != nullptr, "message not terminated");
    if (message[0] != '\0') {
        Require(rx == nullptr && result == 0, "a failure left a record");
        return;
    }
    Require(rx != nullptr, "no record after success");
    if ((entry == 0 || entry == 1) && result > 0) {
        Require(rx->startp && rx->endp && rx->nparens >= 0, "no groups");
        for (int i = 0; i <= rx->nparens; ++i) CheckRange(rx->startp[i], rx->endp[i], begin, end, "group outside the text");
    }
    if (entry == 1 || entry == 2) {
        if (result > 0 || entry == 2) Require(rx->outp && rx->outendp >= rx->outp && *rx->outendp == '\0', "output text");
    }
    if (entry == 3) {
        Require(rx->splitctr == result && rx->splitctr >= 0 && rx->splitp, "pieces");
        for (int i = 0; i < rx->splitctr; ++i)
            CheckRange(rx->splitp[2 * i], rx->splitp[2 * i + 1], begin, end, "piece outside the text");
        Require(rx->splitp[2 * rx->splitctr] == nullptr, "pieces not ended by a null");
    }
}

void Run(const std::vector<TStep>& steps)
{
    // One code page for the whole run, as in a process.
    TCodePage::SetActiveForProcess(!steps.empty() && (steps.front().options & 0x80) ? 1252 : 932);
    TTracked instances[2];
    BREGEXP* rx = nullptr;
    std::string reused;  // a caller's variable that takes one text after another
    for (const TStep& step : steps) {
        TTracked& t = instances[(step.options >> 6) & 1];
        TBRegExp& re = t.service;
        const int limit = static_cast<int>((step.options >> 2) & 15) - 1;
        // The step's text in a fresh string that dies with the step, or in
        // the reused one, where a new text may take the place of the last.
        std::string local;
        std::string& text = (step.options & 1) ? reused : local;
        text = step.text;
        const std::string ranOver = step.text.empty() ? std::string(1, '\0') : step.text;
        switch (step.op % 6) {
        case 0: {  // match, and the same on a fresh instance
            bool found = false;
            const bool ran = Try([&] { found = re.Match(step.command, text); });
            t.kind = ran && found ? TTracked::TKind::Groups : TTracked::TKind::None;
            t.source = ranOver;
            TBRegExp fresh;
            bool freshFound = false;
            const bool freshRan = Try([&] { freshFound = fresh.Match(step.command, text); });
            Require(ran == freshRan && found == freshFound, "a match that depends on the one before");
            if (found) {
                Require(re.Count() == fresh.Count(), "groups that depend on the match before");
                for (int i = 0; i < re.Count(); ++i)
                    Require(re.Strings(i) == fresh.Strings(i), "groups that depend on the match before");
            }
            break;
        }
        case 1: {
            bool changed = false;
            const bool ran = Try([&] { changed = re.Subst(step.command, text); });
            t.kind = ran && changed ? TTracked::TKind::Groups : TTracked::TKind::None;
            t.source = step.text;
            if (!changed) Require(text == step.text, "a substitution that changed nothing changed the text");
            break;
        }
        case 2:
            Try([&] { re.Trans(step.command, text); });
            t.kind = TTracked::TKind::None;
            break;
        case 3: {
            // Pieces point into the text, which must live unchanged until
            // the instance's next operation: the instance's own.
            t.source = ranOver;
            const bool ran = Try([&] { re.Split(step.command, t.splitText = step.text, limit); });
            t.kind = ran ? TTracked::TKind::Pieces : TTracked::TKind::None;
            break;
        }
        case 4: break;
        default: CallDirectly(rx, step); break;
        }
        CheckReaders(t, step.options);
    }
    if (rx) LoadedRegexEntryPoints()->Regfree(rx);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool loaded = LoadRegexLibrary(QBX_REGEX_LIBRARY_DIR, [](const std::string& m) {
        std::fprintf(stderr, "%s\n", m.c_str());
    });
    Require(loaded, "the library did not load");
    Run(Steps(std::string_view(reinterpret_cast<const char*>(data), size)));
    return 0;
}
