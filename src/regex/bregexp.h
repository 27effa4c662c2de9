/* The C interface of bregexp.dll / libbregexp.so: the classic entry points
   (caller-cleans) and the classic result record.

   Commands: m/pattern/flags, s/pattern/replacement/flags, tr/list/list/flags;
   any punctuation character may stand in for "/", and bracket pairs
   (m{...}, s{...}{...}) nest as in Perl. Flags: i g m s x k, and for tr
   c d s k. The k flag, and by default a double-byte ANSI code page, make a
   lead byte and its trail byte one character everywhere.

   Results follow Perl 5, with these rules of our own:
   - BMatch returns 1 on a match and 0 otherwise. With the g flag, a call with
     the same record and the same text (the same start pointer and length) as
     the last successful BMatch continues after that match, as Perl's m//g in
     scalar context does; a failed match, a BSplit through the record, or
     another text starts over. A fresh text that happens to sit at the same
     address with the same length cannot be told from the same text, so a
     caller that matches fresh texts with a g command gives each a fresh
     record.
   - BSubst returns the number of substitutions; outp holds the new text and
     startp/endp the groups of the last match, in the text passed in. In the
     replacement, $1 and \1 alike stand for group 1.
   - BTrans returns the number of characters the search list matched (as
     Perl's tr does), and outp holds the new text even when nothing changed.
   - BSplit returns the number of pieces (1 when the pattern never matched, 0
     for an empty text) and drops trailing empty pieces whatever the limit; a
     limit above 0 caps the number of pieces, the last holding the rest.
     Groups of the pattern add pieces as in Perl.
   - Every pointer in the record (groups, pieces) points into the text of the
     call that set it, or is null; they are valid while that text is.
   - Not supported, and refused with a message rather than matched
     differently: look-around and other (?...) constructs but (?:...),
     (?#...) and inline flags, possessive quantifiers, \p \X \K \G and the
     like, case escapes (\U \L ...) in replacements, the e flag. An empty
     pattern matches the empty string (Perl would reuse the last pattern).
   - Every failure writes a message into the caller's buffer of
     BREGEXP_MAX_ERROR (80) bytes, returns 0 and leaves *rxp null. The
     buffer is emptied on success.
   - Work per call, nesting, repeat counts and sizes are bounded: see the
     limits below, each beside what happens when it runs out.

   The record keeps the compiled command; a later call with the same command
   string reuses it, a different one replaces it. BRegfree releases it. The
   last BREGEXP_SHARED_COMMANDS compiled commands are shared by all records
   of the process. */
#ifndef QUILLBOX_BREGEXP_H
#define QUILLBOX_BREGEXP_H

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32) && !defined(_WIN64)
#define BREGEXP_CALL __cdecl
#else
#define BREGEXP_CALL
#endif

#define BREGEXP_MAX_ERROR 80

/* Limits. The library is built with these very values. When one runs out,
   the call fails as every failure does (0, *rxp null) with the message in
   quotes. */

/* Work per call: this many steps, plus this many per byte of the text, for
   the whole call (every match of a g substitution, every cut of a split). A
   step is one instruction run, one character taken or given back by a
   repeat, one byte compared by a back-reference, or one byte read while
   stepping back over a run of double-byte lead bytes; so the time a call
   takes is bounded the same under every code page. Patterns that need more
   ("pattern too complex") are those that backtrack without end, such as
   ^(a+)+$ on a long run of a's with no match. A search does not retry the
   run that a leading repeat (\s*, \-*, .*) took from each position inside
   it, so such a repeat costs one pass over its run. */
#define BREGEXP_STEPS_PER_CALL 20000000
#define BREGEXP_STEPS_PER_BYTE 16

/* Alternatives kept for backtracking at once ("pattern too complex"); they
   live on the heap, never on the machine's stack. */
#define BREGEXP_MAX_BACKTRACK 4194304

/* Levels of nested parentheses ("regex nested too deeply"). */
#define BREGEXP_MAX_NESTING 250

/* Counted repeats {n,m}: n and m up to this ("quantifier in {,} bigger than
   32766 in regex"). */
#define BREGEXP_MAX_REPEAT 32766

/* Instructions of a compiled pattern ("regex too big"). */
#define BREGEXP_MAX_PROGRAM 1048576

/* Characters a tr list expands to, ranges spelt out ("transliteration list
   too long"). */
#define BREGEXP_MAX_TR_LIST 131072

/* Octal and hexadecimal escapes stand for one byte: up to \377 and \xFF.
   No memory: "out of memory". */

/* Compiled commands kept for reuse by all records of the process. */
#define BREGEXP_SHARED_COMMANDS 64

typedef struct bregexp {
    const char* outp;      /* result text of BSubst / BTrans, zero-terminated */
    const char* outendp;   /* its end (the zero byte) */
    int splitctr;          /* number of pieces of BSplit */
    const char** splitp;   /* start and end pointer of each piece, then a null */
    int rsv1;              /* reserved */
    char* parap;           /* the command string the record was compiled from */
    char* paraendp;        /* its end */
    char* transtblp;       /* reserved for transliteration tables */
    const char** startp;   /* group starts (group 0 is the whole match); null when unset */
    const char** endp;     /* group ends, exclusive */
    int nparens;           /* number of groups, without group 0 */
} BREGEXP;

#if defined(__i386__) || (defined(_M_IX86) && !defined(_M_X64))
#ifdef __cplusplus
#define BREGEXP_STATIC_ASSERT static_assert
#else
#define BREGEXP_STATIC_ASSERT _Static_assert
#endif
#include <stddef.h>
BREGEXP_STATIC_ASSERT(offsetof(BREGEXP, outp) == 0, "outp");
BREGEXP_STATIC_ASSERT(offsetof(BREGEXP, outendp) == 4, "outendp");
BREGEXP_STATIC_ASSERT(offsetof(BREGEXP, splitctr) == 8, "splitctr");
BREGEXP_STATIC_ASSERT(offsetof(BREGEXP, splitp) == 12, "splitp");
BREGEXP_STATIC_ASSERT(offsetof(BREGEXP, rsv1) == 16, "rsv1");
BREGEXP_STATIC_ASSERT(offsetof(BREGEXP, parap) == 20, "parap");
BREGEXP_STATIC_ASSERT(offsetof(BREGEXP, paraendp) == 24, "paraendp");
BREGEXP_STATIC_ASSERT(offsetof(BREGEXP, transtblp) == 28, "transtblp");
BREGEXP_STATIC_ASSERT(offsetof(BREGEXP, startp) == 32, "startp");
BREGEXP_STATIC_ASSERT(offsetof(BREGEXP, endp) == 36, "endp");
BREGEXP_STATIC_ASSERT(offsetof(BREGEXP, nparens) == 40, "nparens");
#endif

typedef int(BREGEXP_CALL* BMatchFunc)(const char* command, const char* target, const char* targetEnd,
                                      BREGEXP** rxp, char* message);
typedef int(BREGEXP_CALL* BSplitFunc)(const char* command, const char* target, const char* targetEnd,
                                      int limit, BREGEXP** rxp, char* message);
typedef void(BREGEXP_CALL* BRegfreeFunc)(BREGEXP* rx);
typedef const char*(BREGEXP_CALL* BRegexpVersionFunc)(void);

int BREGEXP_CALL BMatch(const char* command, const char* target, const char* targetEnd, BREGEXP** rxp,
                        char* message);
int BREGEXP_CALL BSubst(const char* command, const char* target, const char* targetEnd, BREGEXP** rxp,
                        char* message);
int BREGEXP_CALL BTrans(const char* command, const char* target, const char* targetEnd, BREGEXP** rxp,
                        char* message);
int BREGEXP_CALL BSplit(const char* command, const char* target, const char* targetEnd, int limit,
                        BREGEXP** rxp, char* message);
void BREGEXP_CALL BRegfree(BREGEXP* rx);
const char* BREGEXP_CALL BRegexpVersion(void);

#ifdef __cplusplus
}
#endif

#endif
