// The classic C entry points over TCompiledCommand. Nothing may escape
// them: every failure becomes a message in the caller's 80-byte buffer.
#include "regex/bregexp.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "regex/compiled_command_cache.h"
#include "regex/regex_error.h"

#if defined(_WIN32)
#define BREGEXP_EXPORT
#else
#define BREGEXP_EXPORT __attribute__((visibility("default")))
#endif

namespace {

using quillbox::regex::CompiledCommandFor;
using quillbox::regex::kUnset;
using quillbox::regex::TCommand;
using quillbox::regex::TCompiledCommand;
using quillbox::regex::TMatchGroups;
using quillbox::regex::TRegexError;

const char kVersion[] = "Quillbox bregexp 1.0 (Perl 5 syntax, Shift_JIS aware)";

// The record the caller sees is the base; the rest is ours.
struct TRecord : BREGEXP {
    explicit TRecord(const char* commandText)
        : BREGEXP{}, Command(commandText), CompiledCommand(CompiledCommandFor(Command)), Compiled(*CompiledCommand)
    {
        parap = Command.data();
        paraendp = Command.data() + Command.size();
    }

    void PublishGroups(const char* text, const TMatchGroups& groups)
    {
        Starts.assign(groups.Starts.size(), nullptr);
        Ends.assign(groups.Ends.size(), nullptr);
        for (std::size_t g = 0; g < groups.Starts.size(); ++g) {
            if (groups.Starts[g] == kUnset) continue;
            Starts[g] = text + groups.Starts[g];
            Ends[g] = text + groups.Ends[g];
        }
        startp = Starts.data();
        endp = Ends.data();
        nparens = Compiled.Groups();
    }

    void PublishOutput()
    {
        outp = Output.c_str();
        outendp = Output.c_str() + Output.size();
    }

    std::string Command;
    std::shared_ptr<const TCompiledCommand> CompiledCommand;
    const TCompiledCommand& Compiled;
    std::vector<const char*> Starts, Ends, Pieces;
    std::string Output;
    // Where m//g stopped: the text it ran over and the end of its last match.
    const char* GlobalText = nullptr;
    const char* GlobalTextEnd = nullptr;
    std::size_t GlobalPos = 0;
    bool GlobalEmpty = false;
};

void WriteMessage(char* buffer, const char* message)
{
    if (!buffer) return;
    std::size_t n = std::strlen(message);
    if (n > BREGEXP_MAX_ERROR - 1) n = BREGEXP_MAX_ERROR - 1;
    std::memcpy(buffer, message, n);
    buffer[n] = '\0';
}

void Release(BREGEXP* rx) { delete static_cast<TRecord*>(rx); }

// The record for this command: the caller's if it was compiled from the
// same string, else a new one.
TRecord* RecordFor(const char* command, BREGEXP** rxp, TCommand::TKind kind)
{
    if (*rxp && std::strcmp((*rxp)->parap, command) == 0) {
        TRecord* record = static_cast<TRecord*>(*rxp);
        if (record->Compiled.Kind() == kind) return record;
    }
    Release(*rxp);
    *rxp = nullptr;
    auto record = std::make_unique<TRecord>(command);
    if (record->Compiled.Kind() != kind) {
        switch (kind) {
        case TCommand::TKind::Match: throw TRegexError("BMatch and BSplit need m/pattern/");
        case TCommand::TKind::Substitute: throw TRegexError("BSubst needs s/pattern/replacement/");
        case TCommand::TKind::Transliterate: throw TRegexError("BTrans needs tr/list/list/");
        }
    }
    *rxp = record.release();
    return static_cast<TRecord*>(*rxp);
}

// Runs body over a checked text range; any failure leaves no record.
template <class Body>
int Guarded(const char* command, const char* target, const char* targetEnd, BREGEXP** rxp, char* message,
            TCommand::TKind kind, Body body)
{
    WriteMessage(message, "");
    try {
        if (!rxp) throw TRegexError("no record address given");
        if (!command) throw TRegexError("no command given");
        if (!target || !targetEnd || targetEnd < target) throw TRegexError("invalid text range");
        TRecord* record = RecordFor(command, rxp, kind);
        return body(*record, std::string_view(target, static_cast<std::size_t>(targetEnd - target)));
    } catch (const TRegexError& e) {
        WriteMessage(message, e.what());
    } catch (const std::bad_alloc&) {
        WriteMessage(message, "out of memory");
    } catch (...) {
        WriteMessage(message, "internal error");
    }
    if (rxp) {
        Release(*rxp);
        *rxp = nullptr;
    }
    return 0;
}

}  // namespace

extern "C" {

BREGEXP_EXPORT int BREGEXP_CALL BMatch(const char* command, const char* target, const char* targetEnd, BREGEXP** rxp,
                                       char* message)
{
    return Guarded(command, target, targetEnd, rxp, message, TCommand::TKind::Match,
                   [&](TRecord& r, std::string_view text) {
                       std::size_t from = 0;
                       bool mustAdvance = false;
                       const bool resume = r.Compiled.Global() && r.GlobalText == target && r.GlobalTextEnd == targetEnd;
                       if (resume) {
                           from = r.GlobalPos;
                           mustAdvance = r.GlobalEmpty;
                       }
                       TMatchGroups groups;
                       const bool found = from <= text.size() && r.Compiled.Match(text, from, mustAdvance, groups);
                       if (!found) {
                           r.GlobalText = r.GlobalTextEnd = nullptr;
                           return 0;
                       }
                       r.PublishGroups(target, groups);
                       r.GlobalText = target;
                       r.GlobalTextEnd = targetEnd;
                       r.GlobalPos = groups.Ends[0];
                       r.GlobalEmpty = groups.Starts[0] == groups.Ends[0];
                       return 1;
                   });
}

BREGEXP_EXPORT int BREGEXP_CALL BSubst(const char* command, const char* target, const char* targetEnd, BREGEXP** rxp,
                                       char* message)
{
    return Guarded(command, target, targetEnd, rxp, message, TCommand::TKind::Substitute,
                   [&](TRecord& r, std::string_view text) {
                       TMatchGroups last;
                       const std::size_t count = r.Compiled.Substitute(text, r.Output, last);
                       if (count == 0) return 0;
                       r.PublishOutput();
                       r.PublishGroups(target, last);
                       return static_cast<int>(count);
                   });
}

BREGEXP_EXPORT int BREGEXP_CALL BTrans(const char* command, const char* target, const char* targetEnd, BREGEXP** rxp,
                                       char* message)
{
    return Guarded(command, target, targetEnd, rxp, message, TCommand::TKind::Transliterate,
                   [&](TRecord& r, std::string_view text) {
                       const std::size_t count = r.Compiled.Transliterate(text, r.Output);
                       r.PublishOutput();
                       return static_cast<int>(count);
                   });
}

BREGEXP_EXPORT int BREGEXP_CALL BSplit(const char* command, const char* target, const char* targetEnd, int limit,
                                       BREGEXP** rxp, char* message)
{
    return Guarded(command, target, targetEnd, rxp, message, TCommand::TKind::Match,
                   [&](TRecord& r, std::string_view text) {
                       r.GlobalText = r.GlobalTextEnd = nullptr;  // m//g starts over after a split
                       const auto pieces = r.Compiled.Split(text, limit);
                       r.Pieces.clear();
                       for (const auto& [first, last] : pieces) {
                           r.Pieces.push_back(first == kUnset ? nullptr : target + first);
                           r.Pieces.push_back(last == kUnset ? nullptr : target + last);
                       }
                       r.Pieces.push_back(nullptr);
                       r.splitp = r.Pieces.data();
                       r.splitctr = static_cast<int>(pieces.size());
                       return r.splitctr;
                   });
}

BREGEXP_EXPORT void BREGEXP_CALL BRegfree(BREGEXP* rx) { Release(rx); }

BREGEXP_EXPORT const char* BREGEXP_CALL BRegexpVersion(void) { return kVersion; }

}  // extern "C"
