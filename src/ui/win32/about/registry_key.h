// A registry key opened for reading values, closed with its owner.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "win32/win32_handles.h"

namespace quillbox {

class TRegistryKey {
public:
    TRegistryKey(HKEY root, const std::string& path);
    TRegistryKey(const TRegistryKey&) = delete;
    TRegistryKey& operator=(const TRegistryKey&) = delete;

    bool IsOpen() const { return static_cast<bool>(key_); }
    // A text value ("" for the key's default value) of at most maxBytes
    // bytes; none when it is absent, not a text, or longer.
    std::optional<std::string> Text(const char* name, DWORD maxBytes) const;

private:
    TRegistryKeyHandle key_;  // owned; none when the key could not be opened
};

}  // namespace quillbox
