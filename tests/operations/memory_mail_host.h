// Mails held in memory behind the host interface, with the reference host's
// file converters working on real temporary files.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tansy/host_api.h"

namespace quillbox::testing {

class TMemoryMailHost : public THostApi {
public:
    TMemoryMailHost();
    ~TMemoryMailHost() override;

    std::string GetDataFolder() override { return folder_.string() + "/"; }
    std::string GetCurrentFolder() override { return "box/inbox/"; }
    std::string GetCurrentMailBox() override { return "box/"; }
    std::string GetFolderDisplayName(const std::string&) override { return "inbox"; }
    void SetCurrentMail(const std::string& mailId) override { Current = mailId; }
    std::optional<std::string> GetHeader(const std::string& mailId) override;
    std::optional<TSharedText> GetSource(const std::string& mailId) override;
    void SetSource(const std::string& source) override;
    std::string GetSpecifiedHeader(const std::string& name) override;
    void SetSpecifiedHeader(const std::string& name, const std::string& value) override;
    std::string Iso2022JpToLocal(const std::string& text) override { return text; }
    // Marks what went through the conversion, so tests see that it did.
    std::string LocalToIso2022Jp(const std::string& text) override { return ToJis ? ToJis(text) : text; }
    std::string DecodeMimeHeader(const std::string& header) override { return header; }
    std::string GetTempFileName(const std::string& extension) override;
    bool B64Decode(const std::string& destination, const std::string& source) override;
    bool QPDecode(const std::string& destination, const std::string& source) override;

    // Every temporary file name handed out, to check that none is left.
    std::vector<std::string> TempFiles;
    std::vector<std::string> TempFilesLeft() const;
    std::filesystem::path Folder() const { return folder_; }

    std::map<std::string, std::string> Mails;
    std::string Current;
    // What the store does to a source given to it; unchanged by default.
    std::function<std::string(const std::string&)> StoreSource;
    std::function<std::string(const std::string&)> ToJis;
    int SetSourceCalls = 0;
    // Temporary names in a folder that does not exist: files there cannot be written.
    bool TempFolderMissing = false;

private:
    std::filesystem::path folder_;
};

std::string ReadFileBytes(const std::filesystem::path& path);

}  // namespace quillbox::testing
