// One folder of the store: a directory with Folder.idx and one file per mail
// (key + ".eml"). Every change writes a new file and renames it over the old.
#pragma once

#include "store/folder_index.h"

#include <optional>
#include <string>
#include <vector>

namespace quillbox {

inline constexpr char kIndexFileName[] = "Folder.idx";

class TMailFolder {
public:
    // directory ends with a path separator.
    TMailFolder(std::string directory, unsigned codePage, TWarningSink warn);

    const std::string& Directory() const { return directory_; }
    std::string IndexPath() const { return directory_ + kIndexFileName; }
    bool Exists() const;

    std::vector<TIndexEntry> Entries() const;
    std::optional<std::string> Source(const std::string& key) const;

    // Stores a new mail and returns its key; nullopt when it cannot be written.
    std::optional<std::string> Append(const std::string& source, std::uint32_t extraFlags = 0);
    // The mail file first, then its index line: a crash between the two
    // leaves the new mail under a stale line, which describes it loosely
    // but loses nothing.
    bool ReplaceSource(const std::string& key, const std::string& source);

    // The index line the folder writes for a source.
    TIndexEntry Describe(const std::string& key, const std::string& source) const;

private:
    std::string MailPath(const std::string& key) const { return directory_ + key + ".eml"; }

    std::string directory_;
    unsigned codePage_;
    TWarningSink warn_;
};

}  // namespace quillbox
