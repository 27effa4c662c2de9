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
        : BREGEXP{}, command(commandText), compiledCommand(CompiledCommandFor(command)), compiled(*compiledCommand)
    {
        parap = command.data();
        paraendp = command.data() + command.size();
    }

    void PublishGroups(const char* text, const TMatchGroups& groups)
    {
        starts.assign(groups.starts.size(), nullptr);
        ends.assign(groups.ends.size(), nullptr);
        for (std::size_t g = 0; g < groups.starts.size(); ++g) {
            if (groups.starts[g] == kUnset) continue;
            starts[g] = text + groups.starts[g];
            ends[g] = text + groups.ends[g];
        }
        startp = starts.data();
        endp = ends.data();
        nparens = compiled.Groups();
    }

    void PublishOutput()
    {
        outp = output.c_str();
        outendp = output.c_str() + output.size();
    }

    std::string command;
    std::shared_ptr<const TCompiledCommand> compiledCommand;
    const TCompiledCommand& compiled;
    std::vector<const char*> starts, ends, pieces;
    std::string output;
    // Where m//g stopped: the text it ran over and the end of its last match.
    const char* globalText = nullptr;
    const char* globalTextEnd = nullptr;
    std::size_t globalPos = 0;
    bool globalEmpty = false;
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
        if (record->compiled.Kind() == kind) return record;
    }
    Release(*rxp);
    *rxp = nullptr;
    auto record = std::make_unique<TRecord>(command);
    if (record->compiled.Kind() != kind) {
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
                       const bool resume = r.compiled.Global() && r.globalText == target && r.globalTextEnd == targetEnd;
                       if (resume) {
                           from = r.globalPos;
                           mustAdvance = r.globalEmpty;
                       }
                       TMatchGroups groups;
                       const bool found = from <= text.size() && r.compiled.Match(text, from, mustAdvance, groups);
                       if (!found) {
                           r.globalText = r.globalTextEnd = nullptr;
                           return 0;
                       }
                       r.PublishGroups(target, groups);
                       r.globalText = target;
                       r.globalTextEnd = targetEnd;
                       r.globalPos = groups.ends[0];
                       r.globalEmpty = groups.starts[0] == groups.ends[0];
                       return 1;
                   });
}

BREGEXP_EXPORT int BREGEXP_CALL BSubst(const char* command, const char* target, const char* targetEnd, BREGEXP** rxp,
                                       char* message)
{
    return Guarded(command, target, targetEnd, rxp, message, TCommand::TKind::Substitute,
                   [&](TRecord& r, std::string_view text) {
                       TMatchGroups last;
                       const std::size_t count = r.compiled.Substitute(text, r.output, last);
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
                       const std::size_t count = r.compiled.Transliterate(text, r.output);
                       r.PublishOutput();
                       return static_cast<int>(count);
                   });
}

BREGEXP_EXPORT int BREGEXP_CALL BSplit(const char* command, const char* target, const char* targetEnd, int limit,
                                       BREGEXP** rxp, char* message)
{
    return Guarded(command, target, targetEnd, rxp, message, TCommand::TKind::Match,
                   [&](TRecord& r, std::string_view text) {
                       r.globalText = r.globalTextEnd = nullptr;  // m//g starts over after a split
                       const auto pieces = r.compiled.Split(text, limit);
                       r.pieces.clear();
                       for (const auto& [first, last] : pieces) {
                           r.pieces.push_back(first == kUnset ? nullptr : target + first);
                           r.pieces.push_back(last == kUnset ? nullptr : target + last);
                       }
                       r.pieces.push_back(nullptr);
                       r.splitp = r.pieces.data();
                       r.splitctr = static_cast<int>(pieces.size());
                       return r.splitctr;
                   });
}

BREGEXP_EXPORT void BREGEXP_CALL BRegfree(BREGEXP* rx) { Release(rx); }

BREGEXP_EXPORT const char* BREGEXP_CALL BRegexpVersion(void) { return kVersion; }

}  // extern "C"
