// Whole files copied and compared by their bytes, in pieces, so that an
// attachment of any size needs little memory.
#pragma once

#include <string>

namespace quillbox {

// Creates or truncates to and writes the bytes of from into it. EInOutError
// naming the path that failed, also for a file marked read-only; a
// destination left half-written is deleted.
void CopyFileBytes(const std::string& from, const std::string& to);

enum class TFileComparison {
    Same,
    Different,
    Missing,  // first cannot be opened for reading
};

// Whether the file first holds exactly the bytes of the file second.
// EInOutError when second cannot be read.
TFileComparison CompareFileBytes(const std::string& first, const std::string& second);

}  // namespace quillbox
