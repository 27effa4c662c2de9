#include "plugin/win32/tansy_api_table.h"

#include <cstdint>

#include "plugin/win32/host_memory.h"

namespace quillbox {

namespace {
template <typename TEntry>
bool Resolve(HMODULE module, const char* name, TEntry& entry)
{
    entry = reinterpret_cast<TEntry>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return entry != nullptr;
}

const char* OrNull(const std::string& mailId) { return mailId.empty() ? nullptr : mailId.c_str(); }

constexpr int kSpecifiedHeaderSize = 4096;
constexpr int kMimeHeaderBufferSize = 256;
}  // namespace

bool TTansyAPI::LoadEntryPoints()
{
    if (HostModule) return true;
    const HMODULE module = GetModuleHandleA(nullptr);
    if (reinterpret_cast<std::uintptr_t>(module) < 32) return false;
#define QBX_RESOLVE(name, result, params) \
    if (!Resolve(module, #name, name)) return false;
    TANSY_API_FUNCTIONS(QBX_RESOLVE)
#undef QBX_RESOLVE
    HostModule = module;
    return true;
}

std::string TTansyAPI::GetDataFolder() { return CopyHostText(TSA_GetDataFolder()); }
std::string TTansyAPI::GetCurrentFolder() { return CopyHostText(TSA_GetCurrentFolder()); }
std::string TTansyAPI::GetCurrentMailBox() { return CopyHostText(TSA_GetCurrentMailBox()); }

std::string TTansyAPI::GetFolderDisplayName(const std::string& folder)
{
    return CopyHostText(TSA_GetFolderDisplayName(folder.c_str()));
}

void TTansyAPI::SetCurrentMail(const std::string& mailId) { TSA_SetCurrentMail(mailId.c_str()); }

std::optional<std::string> TTansyAPI::GetHeader(const std::string& mailId)
{
    return TakeReleasedText(TSA_GetHeader(OrNull(mailId)), TSA_Free);
}

std::optional<TSharedText> TTansyAPI::GetSource(const std::string& mailId)
{
    return KeepReleasedText(TSA_GetSource(OrNull(mailId)), TSA_Free);
}

void TTansyAPI::SetSource(const std::string& source) { TSA_SetSource(nullptr, source.c_str()); }

std::string TTansyAPI::GetSpecifiedHeader(const std::string& name)
{
    const THostBlock buffer(TSA_Alloc(kSpecifiedHeaderSize), TSA_Free);
    if (!buffer.Get()) return {};
    buffer.Chars()[0] = '\0';
    TSA_GetSpecifiedHeader(name.c_str(), buffer.Chars(), kSpecifiedHeaderSize);
    return CopyBufferText(buffer.Chars(), kSpecifiedHeaderSize);
}

void TTansyAPI::SetSpecifiedHeader(const std::string& name, const std::string& value)
{
    TSA_SetSpecifiedHeader(name.c_str(), value.c_str());
}

std::string TTansyAPI::Iso2022JpToLocal(const std::string& text)
{
    return TakeReleasedText(TSA_ISO_2022_JP(text.c_str(), FALSE), TSA_Free).value_or(std::string());
}

std::string TTansyAPI::LocalToIso2022Jp(const std::string& text)
{
    return TakeReleasedText(TSA_ISO_2022_JP(text.c_str(), TRUE), TSA_Free).value_or(std::string());
}

std::string TTansyAPI::DecodeMimeHeader(const std::string& header)
{
    const THostBlock buffer(TSA_Alloc(kMimeHeaderBufferSize), TSA_Free);
    LPSTR decoded = TSA_MIMEHeader(header.c_str(), buffer.Chars(), kMimeHeaderBufferSize, FALSE);
    // A host that answers in the buffer itself must not have it released twice.
    if (decoded == buffer.Chars()) return CopyBufferText(decoded, kMimeHeaderBufferSize);
    return TakeReleasedText(decoded, TSA_Free).value_or(std::string());
}

std::string TTansyAPI::GetTempFileName(const std::string& extension)
{
    return CopyHostText(TSA_GetTempFileName(extension.c_str()));
}

bool TTansyAPI::B64Decode(const std::string& destination, const std::string& source)
{
    return (TSA_B64Convert(destination.c_str(), source.c_str(), FALSE) & 0xFF) != 0;
}

bool TTansyAPI::QPDecode(const std::string& destination, const std::string& source)
{
    return (TSA_QPConvert(destination.c_str(), source.c_str(), FALSE) & 0xFF) != 0;
}

}  // namespace quillbox
