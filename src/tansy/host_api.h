// The host as the plug-in's core sees it: the host functions the core calls,
// with every text already copied into the core's own strings and every
// released text already given back to the host. A mail's source is the one
// exception: too large to copy, it is handed over shared and given back when
// the last copy goes.
//
// In the DLL, TTansyAPI implements this over the resolved TSA_ functions; the
// reference host's store implements it natively for qbx and the unit tests.
// Names follow the host functions they stand for (TSA_GetSource -> GetSource).
#pragma once

#include <optional>
#include <string>

#include "text/shared_text.h"

namespace quillbox {

class THostApi {
public:
    virtual ~THostApi() = default;

    // Host texts: data folder, current folder and mailbox identifiers (folder
    // identifiers end in a path separator; empty when nothing is selected).
    virtual std::string GetDataFolder() = 0;
    virtual std::string GetCurrentFolder() = 0;
    virtual std::string GetCurrentMailBox() = 0;
    virtual std::string GetFolderDisplayName(const std::string& folder) = 0;

    // Selects and shows the mail; it becomes the current mail.
    virtual void SetCurrentMail(const std::string& mailId) = 0;

    // A mail's header block and whole source; nullopt when the host has none
    // (an unknown mail, or the host returned no text).
    virtual std::optional<std::string> GetHeader(const std::string& mailId) = 0;
    virtual std::optional<TSharedText> GetSource(const std::string& mailId) = 0;

    // Replace the current mail's source; set or read one header of it.
    virtual void SetSource(const std::string& source) = 0;
    virtual std::string GetSpecifiedHeader(const std::string& name) = 0;
    virtual void SetSpecifiedHeader(const std::string& name, const std::string& value) = 0;

    // Text conversions: ISO-2022-JP to and from the local code page, and a
    // header block with its encoded words decoded into the local code page.
    virtual std::string Iso2022JpToLocal(const std::string& text) = 0;
    virtual std::string LocalToIso2022Jp(const std::string& text) = 0;
    virtual std::string DecodeMimeHeader(const std::string& header) = 0;

    // A fresh temporary file path with the given extension.
    virtual std::string GetTempFileName(const std::string& extension) = 0;

    // Decode Base64 / quoted-printable text from one file into another;
    // false when the source is unreadable or the destination unwritable.
    virtual bool B64Decode(const std::string& destination, const std::string& source) = 0;
    virtual bool QPDecode(const std::string& destination, const std::string& source) = 0;
};

}  // namespace quillbox
