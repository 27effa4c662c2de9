#include "pe_exports.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>

namespace quillbox {
namespace {

class TImageFile {
public:
    explicit TImageFile(std::vector<char> bytes) : bytes_(std::move(bytes)) {}

    template <class T>
    std::optional<T> At(std::size_t offset) const
    {
        if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T)) return std::nullopt;
        T value;
        std::memcpy(&value, bytes_.data() + offset, sizeof(T));
        return value;
    }

    // A zero-terminated text, if it ends inside the file.
    std::optional<std::string> TextAt(std::size_t offset) const
    {
        if (offset >= bytes_.size()) return std::nullopt;
        const auto begin = bytes_.begin() + static_cast<std::ptrdiff_t>(offset);
        const auto end = std::find(begin, bytes_.end(), '\0');
        if (end == bytes_.end()) return std::nullopt;
        return std::string(begin, end);
    }

private:
    std::vector<char> bytes_;
};

struct TSection {
    std::uint32_t address;
    std::uint32_t size;
    std::uint32_t fileOffset;
};

std::optional<std::size_t> FileOffset(const std::vector<TSection>& sections, std::uint32_t rva)
{
    for (const TSection& s : sections)
        if (rva >= s.address && rva - s.address < s.size) return std::size_t{s.fileOffset} + (rva - s.address);
    return std::nullopt;
}

}  // namespace

std::vector<std::string> ExportedNames(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    const TImageFile image(std::vector<char>(std::istreambuf_iterator<char>(in), {}));

    const auto dos = image.At<IMAGE_DOS_HEADER>(0);
    if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE) return {};
    const std::size_t nt = static_cast<std::size_t>(dos->e_lfanew);
    const auto signature = image.At<DWORD>(nt);
    const auto header = image.At<IMAGE_FILE_HEADER>(nt + sizeof(DWORD));
    if (!signature || *signature != IMAGE_NT_SIGNATURE || !header) return {};

    // The data directories sit at different places in the two optional headers.
    const std::size_t optional = nt + sizeof(DWORD) + sizeof(IMAGE_FILE_HEADER);
    const auto magic = image.At<WORD>(optional);
    std::optional<IMAGE_DATA_DIRECTORY> exports;
    if (magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC)
        exports = image.At<IMAGE_DATA_DIRECTORY>(optional + offsetof(IMAGE_OPTIONAL_HEADER32, DataDirectory));
    else if (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC)
        exports = image.At<IMAGE_DATA_DIRECTORY>(optional + offsetof(IMAGE_OPTIONAL_HEADER64, DataDirectory));
    if (!exports || exports->VirtualAddress == 0) return {};

    std::vector<TSection> sections;
    const std::size_t table = optional + header->SizeOfOptionalHeader;
    for (WORD i = 0; i < header->NumberOfSections; ++i) {
        const auto s = image.At<IMAGE_SECTION_HEADER>(table + i * sizeof(IMAGE_SECTION_HEADER));
        if (!s) return {};
        sections.push_back({s->VirtualAddress, s->SizeOfRawData, s->PointerToRawData});
    }

    const auto directoryAt = FileOffset(sections, exports->VirtualAddress);
    const auto directory = directoryAt ? image.At<IMAGE_EXPORT_DIRECTORY>(*directoryAt) : std::nullopt;
    if (!directory) return {};
    const auto namesAt = FileOffset(sections, directory->AddressOfNames);
    if (!namesAt) return {};
    std::vector<std::string> names;
    for (DWORD i = 0; i < directory->NumberOfNames; ++i) {
        const auto nameRva = image.At<DWORD>(*namesAt + i * sizeof(DWORD));
        const auto nameAt = nameRva ? FileOffset(sections, *nameRva) : std::nullopt;
        const auto name = nameAt ? image.TextAt(*nameAt) : std::nullopt;
        if (!name) return {};
        names.push_back(*name);
    }
    return names;
}

}  // namespace quillbox
