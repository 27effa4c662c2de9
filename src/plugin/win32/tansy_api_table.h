// TTansyAPI: the host's functions, resolved by name from the host executable,
// and the host as the core sees it (THostApi) on top of them.
#pragma once

#include <windows.h>

#include "tansy/host_api.h"
#include "tansy/tansy_api.h"

namespace quillbox {

class TTansyAPI final : public THostApi {
public:
    // One entry point per host function, in table order.
#define QBX_API_FIELD(name, result, params) name##_t name = nullptr;
    TANSY_API_FUNCTIONS(QBX_API_FIELD)
#undef QBX_API_FIELD
    HMODULE HostModule = nullptr;  // set once every name has resolved

    // Resolves every name from the process's executable, in table order, and
    // stops at the first that is missing. True at once when already resolved.
    bool LoadEntryPoints();

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
};

}  // namespace quillbox
