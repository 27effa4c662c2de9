// Watches the renames and disk flushes of this test process (it replaces the
// C library's rename and fsync for the whole program), and can end the
// process just before a rename, the way a crash would.
#pragma once

#include <string>
#include <vector>

namespace quillbox::testing {

struct TFileCall {
    enum class TKind { Flush, Rename } Kind;
    std::string Path;    // the file flushed, or the file renamed
    std::string Target;  // what a rename names it
};

// Forgets what was recorded and records from now on.
void StartRecordingFileCalls();
std::vector<TFileCall> RecordedFileCalls();

// The next rename onto a path ending in suffix kills the process (SIGKILL)
// instead of renaming; for a child process that is meant to die.
void KillAtRenameOnto(const std::string& suffix);

}  // namespace quillbox::testing
