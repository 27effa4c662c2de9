#include "ui/win32/about/registry_key.h"

#include <cstring>
#include <vector>

namespace quillbox {

TRegistryKey::TRegistryKey(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) key_.Reset(key);
}

std::optional<std::string> TRegistryKey::Text(const char* name, DWORD maxBytes) const
{
    if (!key_) return std::nullopt;
    std::vector<char> buffer(maxBytes + 1, '\0');
    DWORD type = 0;
    DWORD size = maxBytes;
    if (RegQueryValueExA(key_.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    // The stored terminator, if any, is not part of the text.
    return std::string(buffer.data(), strnlen(buffer.data(), size));
}

}  // namespace quillbox
