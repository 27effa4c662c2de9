// A registry key opened for reading values, closed with its owner.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quillbox {

class TRegistryKey {
public:
    TRegistryKey(HKEY root, const std::string& path);
    ~TRegistryKey();
    TRegistryKey(const TRegistryKey&) = delete;
    TRegistryKey& operator=(const TRegistryKey&) = delete;

    bool IsOpen() const { return key_ != nullptr; }
    // A text value ("" for the key's default value) of at most maxBytes
    // bytes; none when it is absent, not a text, or longer.
    std::optional<std::string> Text(const char* name, DWORD maxBytes) const;

private:
    HKEY key_ = nullptr;
};

}  // namespace quillbox
