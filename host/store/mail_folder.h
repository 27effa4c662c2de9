// One folder of the store: a directory with Folder.idx and one file per mail
// (key + ".eml").
//
// A mail file is replaced by writing a new file, flushing it to disk and
// renaming it over the old one, so that no crash can lose or tear a mail.
// The index is kept in memory from the first use on: each change updates its
// line there, and the file is written (without a flush of its own) when
// WriteIndex is called or the folder object ends. The index says nothing the
// mails do not say, so when it is read again it is checked against them: a
// mail missing from it, or whose file is newer than it, gets its line
// described afresh from the mail. File times are coarse, so a mark file
// tells that mails were written after the index in the same tick.
#pragma once

#include "convert/file_bytes.h"
#include "store/folder_index.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace quillbox {

inline constexpr char kIndexFileName[] = "Folder.idx";

class TMailFolder {
public:
    // directory ends with a path separator.
    TMailFolder(std::string directory, unsigned codePage, TWarningSink warn);
    // Writes the index if a line changed.
    ~TMailFolder();
    TMailFolder(const TMailFolder&) = delete;
    TMailFolder& operator=(const TMailFolder&) = delete;

    const std::string& Directory() const { return directory_; }
    std::string IndexPath() const { return directory_ + kIndexFileName; }
    std::string MailPath(const std::string& key) const { return directory_ + key + ".eml"; }
    // The folder has an index (on disk, or about to be written).
    bool Exists() const;

    // One entry per mail, in index order.
    const std::vector<TIndexEntry>& Entries();
    // Read from the mail's file, whether or not the index lists it. Mail
    // files are only ever replaced whole by a rename, so the file is mapped
    // where the system allows it.
    std::optional<TSharedText> Source(const std::string& key, TFileStamp* stamp = nullptr) const;

    // Stores a new mail and returns its key; nullopt when it cannot be written.
    std::optional<std::string> Append(const std::string& source, std::uint32_t extraFlags = 0);
    // Replaces a listed mail; false (the mail unchanged) when it is not
    // listed or cannot be written.
    bool ReplaceSource(const std::string& key, const std::string& source);

    // Writes Folder.idx if a line changed since it was read or last written
    // (a folder not yet opened has none); false when it could not be written.
    bool WriteIndex();

    // The index line the folder writes for a source.
    TIndexEntry Describe(const std::string& key, std::string_view source) const;

private:
    // Reads the index once and brings it up to date with the mail files.
    void Open();
    void Add(TIndexEntry entry);
    // Marks the index as behind the mails before the first mail is written.
    bool MarkPending();
    // The line of a listed mail described again from its file, keeping what
    // only the index knows (when it was stored, flags other than attachments).
    TIndexEntry Redescribed(const TIndexEntry& entry, std::string_view source) const;

    std::string directory_;
    unsigned codePage_;
    TWarningSink warn_;

    bool opened_ = false;
    bool indexOnDisk_ = false;
    bool changed_ = false;
    bool pendingMarked_ = false;
    std::vector<TIndexEntry> entries_;
    std::unordered_map<std::string, std::size_t> positions_;  // key -> entry
    unsigned long nextKey_ = 1;
};

}  // namespace quillbox
