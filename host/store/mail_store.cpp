#include "store/mail_store.h"

#include "store/mail_message.h"

#include <algorithm>
#include <filesystem>

namespace quillbox {
namespace {

std::vector<std::string> SubDirectories(const std::string& directory)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(directory, error))
        if (item.is_directory(error)) names.push_back(item.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

std::optional<TMailId> SplitMailId(const std::string& mailId)
{
    const std::size_t mark = mailId.rfind('?');
    if (mark == std::string::npos) return std::nullopt;
    TMailId id{mailId.substr(0, mark), mailId.substr(mark + 1)};
    if (!IsValidKey(id.key) || id.folder.empty() || id.folder.back() != kPathSeparator) return std::nullopt;
    // Identifiers stay inside the data folder.
    if (id.folder.front() == kPathSeparator || id.folder.find("..") != std::string::npos) return std::nullopt;
    return id;
}

std::string MakeMailId(const std::string& folder, const std::string& key) { return folder + "?" + key; }

TMailStore::TMailStore(std::string dataFolder, unsigned codePage, TWarningSink warn)
    : dataFolder_(std::move(dataFolder)), codePage_(codePage), warn_(std::move(warn))
{
    if (!dataFolder_.empty() && dataFolder_.back() != kPathSeparator) dataFolder_ += kPathSeparator;
}

std::vector<std::string> TMailStore::MailBoxes() const
{
    std::vector<std::string> boxes;
    for (const std::string& name : SubDirectories(dataFolder_)) boxes.push_back(name + kPathSeparator);
    return boxes;
}

std::vector<std::string> TMailStore::Folders(const std::string& mailBox) const
{
    std::vector<std::string> folders;
    for (const std::string& name : SubDirectories(dataFolder_ + mailBox)) {
        const std::string folder = mailBox + name + kPathSeparator;
        if (Folder(folder).Exists()) folders.push_back(folder);
    }
    return folders;
}

std::string TMailStore::DisplayName(const std::string& folder)
{
    std::string trimmed = folder;
    while (!trimmed.empty() && trimmed.back() == kPathSeparator) trimmed.pop_back();
    const std::size_t slash = trimmed.rfind(kPathSeparator);
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

TMailFolder TMailStore::Folder(const std::string& folder) const
{
    return TMailFolder(dataFolder_ + folder, codePage_, warn_);
}

std::optional<std::string> TMailStore::Source(const std::string& mailId) const
{
    const std::optional<TMailId> id = SplitMailId(mailId);
    if (!id) return std::nullopt;
    return Folder(id->folder).Source(id->key);
}

bool TMailStore::ReplaceSource(const std::string& mailId, const std::string& source)
{
    const std::optional<TMailId> id = SplitMailId(mailId);
    return id && Folder(id->folder).ReplaceSource(id->key, source);
}

bool TMailStore::SetHeader(const std::string& mailId, const std::string& name, const std::string& value)
{
    const std::optional<std::string> source = Source(mailId);
    return source && ReplaceSource(mailId, WithHeader(*source, name, value));
}

}  // namespace quillbox
