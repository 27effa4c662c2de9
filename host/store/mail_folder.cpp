#include "store/mail_folder.h"

#include "convert/file_bytes.h"
#include "convert/mime_header.h"
#include "store/atomic_file.h"
#include "store/mail_message.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <cstdlib>

namespace quillbox {
namespace {

std::string CharsetOf(const std::string& source)
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

}  // namespace

TMailFolder::TMailFolder(std::string directory, unsigned codePage, TWarningSink warn)
    : directory_(std::move(directory)), codePage_(codePage), warn_(std::move(warn))
{
}

bool TMailFolder::Exists() const { return FileExists(IndexPath()); }

std::vector<TIndexEntry> TMailFolder::Entries() const { return ReadIndexFile(IndexPath(), warn_); }

std::optional<std::string> TMailFolder::Source(const std::string& key) const
{
    if (!IsValidKey(key)) return std::nullopt;
    return ReadFileBytes(MailPath(key));
}

TIndexEntry TMailFolder::Describe(const std::string& key, const std::string& source) const
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

std::optional<std::string> TMailFolder::Append(const std::string& source, std::uint32_t extraFlags)
{
    std::vector<TIndexEntry> entries = Entries();
    unsigned long next = 1;
    for (const TIndexEntry& e : entries) next = std::max(next, std::strtoul(e.key.c_str(), nullptr, 10) + 1);
    // A file left by an earlier, interrupted append must not be overwritten.
    while (FileExists(MailPath(std::to_string(next)))) ++next;
    const std::string key = std::to_string(next);
    if (!ReplaceFileAtomically(MailPath(key), source)) return std::nullopt;
    TIndexEntry entry = Describe(key, source);
    entry.flags |= extraFlags;
    entries.push_back(std::move(entry));
    if (!WriteIndexFile(IndexPath(), entries)) return std::nullopt;
    return key;
}

bool TMailFolder::ReplaceSource(const std::string& key, const std::string& source)
{
    std::vector<TIndexEntry> entries = Entries();
    const auto it = std::find_if(entries.begin(), entries.end(), [&](const TIndexEntry& e) { return e.key == key; });
    if (it == entries.end() || !FileExists(MailPath(key))) return false;
    if (!ReplaceFileAtomically(MailPath(key), source)) return false;
    TIndexEntry updated = Describe(key, source);
    updated.storedTime = it->storedTime;
    updated.flags = (it->flags & ~kFlagHasAttachments) | (updated.flags & kFlagHasAttachments);
    *it = std::move(updated);
    return WriteIndexFile(IndexPath(), entries);
}

}  // namespace quillbox
