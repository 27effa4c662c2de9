#include "store/mail_folder.h"

#include "convert/mime_header.h"
#include "store/atomic_file.h"
#include "store/mail_message.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace quillbox {
namespace {

// Present while mails have changed that the index on disk does not show yet:
// made before the first such mail is written, removed once the index is.
constexpr char kPendingMarkName[] = "Folder.idx.pending";

std::string CharsetOf(std::string_view source)
{
    std::string type = HeaderValue(source, "Content-Type").value_or("");
    for (char& c : type) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::size_t at = type.find("charset=");
    if (at == std::string::npos) return {};
    std::string value = type.substr(at + 8);
    if (!value.empty() && value[0] == '"') value.erase(0, 1);
    const std::size_t end = value.find_first_of("\"; \t");
    return value.substr(0, end);
}

unsigned long KeyNumber(const std::string& key) { return std::strtoul(key.c_str(), nullptr, 10); }

// Keys in the order the folder gives them out: numbers by value, then the rest.
bool KeyBefore(const std::string& a, const std::string& b)
{
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

}  // namespace

TMailFolder::TMailFolder(std::string directory, unsigned codePage, TWarningSink warn)
    : directory_(std::move(directory)), codePage_(codePage), warn_(std::move(warn))
{
}

TMailFolder::~TMailFolder()
{
    if (changed_ && !WriteIndex() && warn_) warn_(IndexPath() + ": cannot be written");
}

bool TMailFolder::Exists() const { return changed_ || FileExists(IndexPath()); }

const std::vector<TIndexEntry>& TMailFolder::Entries()
{
    Open();
    return entries_;
}

std::optional<TSharedText> TMailFolder::Source(const std::string& key, TFileStamp* stamp) const
{
    if (!IsValidKey(key)) return std::nullopt;
    return MapFileBytes(MailPath(key), stamp);
}

TIndexEntry TMailFolder::Describe(const std::string& key, std::string_view source) const
{
    auto decoded = [&](const char* name) { return DecodeMimeHeader(HeaderValue(source, name).value_or(""), codePage_); };
    TIndexEntry e;
    e.key = key;
    e.fileName = key + ".eml";
    e.messageId = HeaderValue(source, "Message-ID").value_or("");
    e.subject = decoded("Subject");
    e.from = decoded("From");
    e.to = decoded("To");
    e.size = static_cast<std::uint32_t>(source.size());
    e.charset = CharsetOf(source);
    e.time = ParseMailDate(HeaderValue(source, "Date").value_or("")).value_or(0);
    e.storedTime = static_cast<std::int64_t>(std::time(nullptr));
    e.flags = CarriesAttachments(source) ? kFlagHasAttachments : 0;
    return e;
}

TIndexEntry TMailFolder::Redescribed(const TIndexEntry& entry, std::string_view source) const
{
    TIndexEntry fresh = Describe(entry.key, source);
    fresh.storedTime = entry.storedTime;
    fresh.flags = (entry.flags & ~kFlagHasAttachments) | (fresh.flags & kFlagHasAttachments);
    return fresh;
}

void TMailFolder::Add(TIndexEntry entry)
{
    nextKey_ = std::max(nextKey_, KeyNumber(entry.key) + 1);
    positions_.emplace(entry.key, entries_.size());
    entries_.push_back(std::move(entry));
}

void TMailFolder::Open()
{
    if (opened_) return;
    opened_ = true;
    TFileStamp indexStamp;
    const std::optional<std::string> text = ReadFileBytes(IndexPath(), &indexStamp);
    indexOnDisk_ = text.has_value();
    for (TIndexEntry& entry : ParseIndexText(text.value_or(""), IndexPath(), warn_)) {
        if (positions_.count(entry.key)) {
            if (warn_) warn_(IndexPath() + ": skipped a second line for mail " + entry.key);
            continue;
        }
        Add(std::move(entry));
    }

    // Mails written after the index: strictly newer files, or, when the last
    // writer ended before writing the index, files of the same clock tick too.
    const bool interrupted = FileExists(directory_ + kPendingMarkName);
    auto writtenSince = [&](const TFileStamp& mail) {
        return !indexOnDisk_ || mail.modified > indexStamp.modified ||
               (interrupted && mail.modified == indexStamp.modified);
    };
    std::vector<std::string> unlisted;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(directory_, error)) {
        const std::string name = item.path().filename().string();
        if (!name.ends_with(".eml")) continue;
        const std::string key = name.substr(0, name.size() - 4);
        const std::optional<TFileStamp> stamp = IsValidKey(key) ? StampOf(MailPath(key)) : std::nullopt;
        if (!stamp) continue;
        const auto listed = positions_.find(key);
        if (listed == positions_.end()) {
            unlisted.push_back(key);
            continue;
        }
        if (!writtenSince(*stamp)) continue;
        const std::optional<TSharedText> source = Source(key);
        if (!source) continue;
        TIndexEntry& entry = entries_[listed->second];
        TIndexEntry fresh = Redescribed(entry, *source);
        if (FormatIndexLine(fresh) == FormatIndexLine(entry)) continue;
        if (warn_) warn_(IndexPath() + ": the line of mail " + key + " was older than the mail; described again");
        entry = std::move(fresh);
        changed_ = true;
    }
    std::sort(unlisted.begin(), unlisted.end(), KeyBefore);
    for (const std::string& key : unlisted) {
        const std::optional<TSharedText> source = Source(key);
        if (!source) continue;
        if (warn_) warn_(IndexPath() + ": mail " + key + " was missing from the index; added");
        Add(Describe(key, *source));
        changed_ = true;
    }
    // The mark goes with the next index written.
    changed_ = changed_ || interrupted;
}

std::optional<std::string> TMailFolder::Append(const std::string& source, std::uint32_t extraFlags)
{
    Open();
    // A file that is not listed (left by someone else) must not be overwritten.
    while (FileExists(MailPath(std::to_string(nextKey_)))) ++nextKey_;
    const std::string key = std::to_string(nextKey_);
    if (!MarkPending() || !ReplaceFileAtomically(MailPath(key), source)) return std::nullopt;
    TIndexEntry entry = Describe(key, source);
    entry.flags |= extraFlags;
    Add(std::move(entry));
    changed_ = true;
    // A new folder's index is written at once, so that the folder exists.
    if (!indexOnDisk_ && !WriteIndex()) return std::nullopt;
    return key;
}

bool TMailFolder::ReplaceSource(const std::string& key, const std::string& source)
{
    Open();
    const auto listed = positions_.find(key);
    if (listed == positions_.end() || !FileExists(MailPath(key))) return false;
    if (!MarkPending() || !ReplaceFileAtomically(MailPath(key), source)) return false;
    TIndexEntry& entry = entries_[listed->second];
    entry = Redescribed(entry, source);
    changed_ = true;
    return true;
}

bool TMailFolder::MarkPending()
{
    if (pendingMarked_) return true;
    pendingMarked_ = WriteFileBytes(directory_ + kPendingMarkName, "");
    return pendingMarked_;
}

bool TMailFolder::WriteIndex()
{
    if (!changed_) return true;
    if (!ReplaceFileAtomically(IndexPath(), FormatIndexText(entries_), TDurability::Unflushed)) return false;
    indexOnDisk_ = true;
    changed_ = false;
    std::remove((directory_ + kPendingMarkName).c_str());
    pendingMarked_ = false;
    return true;
}

}  // namespace quillbox
