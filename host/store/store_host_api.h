// The host as the plug-in's core sees it, over the store: what qbx, the
// benchmarks and the fuzz targets run the core against. Texts pass as the
// host's zero-terminated texts would: an argument or a result ends at its
// first zero byte.
#pragma once

#include <optional>
#include <string>

#include "convert/temp_names.h"
#include "store/mail_store.h"
#include "tansy/host_api.h"

namespace quillbox {

class TStoreHostApi : public THostApi {
public:
    // mailBox and folder: the current selection, identifiers as the store's.
    TStoreHostApi(const TMailStore& store, std::string mailBox, std::string folder, std::string tempFolder);

    std::string GetDataFolder() override;
    std::string GetCurrentFolder() override;
    std::string GetCurrentMailBox() override;
    std::string GetFolderDisplayName(const std::string& folder) override;
    void SetCurrentMail(const std::string& mailId) override;
    std::optional<std::string> GetHeader(const std::string& mailId) override;
    std::optional<std::string> GetSource(const std::string& mailId) override;
    void SetSource(const std::string& source) override;
    std::string GetSpecifiedHeader(const std::string& name) override;
    void SetSpecifiedHeader(const std::string& name, const std::string& value) override;
    std::string Iso2022JpToLocal(const std::string& text) override;
    std::string LocalToIso2022Jp(const std::string& text) override;
    std::string DecodeMimeHeader(const std::string& header) override;
    std::string GetTempFileName(const std::string& extension) override;
    bool B64Decode(const std::string& destination, const std::string& source) override;
    bool QPDecode(const std::string& destination, const std::string& source) override;

    const std::string& CurrentMail() const { return currentMail_; }

private:
    std::optional<std::string> SourceOf(const std::string& mailId) const;

    TMailStore store_;
    std::string mailBox_;
    std::string folder_;
    std::string currentMail_;
    TTempNames tempNames_;
    unsigned codePage_;
};

}  // namespace quillbox
