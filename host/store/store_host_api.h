// The host as the plug-in's core sees it, over the store: what qbx, the
// benchmarks and the fuzz targets run the core against. Texts pass as the
// host's zero-terminated texts would: an argument or a result ends at its
// first zero byte. A mail's file is read once for its header, source and
// fields while it stays the mail asked for; changed indexes are written when
// the data folder is asked for (the plug-in reads the index next) and when
// the host ends.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "convert/temp_names.h"
#include "store/mail_store.h"
#include "tansy/host_api.h"

namespace quillbox {

class TStoreHostApi : public THostApi {
public:
    // mailBox and folder: the current selection, identifiers as the store's.
    TStoreHostApi(TMailStore store, std::string mailBox, std::string folder, std::string tempFolder);

    std::string GetDataFolder() override;
    std::string GetCurrentFolder() override;
    std::string GetCurrentMailBox() override;
    std::string GetFolderDisplayName(const std::string& folder) override;
    void SetCurrentMail(const std::string& mailId) override;
    std::optional<std::string> GetHeader(const std::string& mailId) override;
    std::optional<TSharedText> GetSource(const std::string& mailId) override;
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
    TMailStore& Store() { return store_; }

private:
    // The mail's header block as the zero-terminated source shows it.
    std::optional<std::string_view> HeaderOf(const std::string& mailId);

    TMailStore store_;
    std::string mailBox_;
    std::string folder_;
    std::string currentMail_;
    TTempNames tempNames_;
    unsigned codePage_;
};

}  // namespace quillbox
