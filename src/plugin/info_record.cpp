#include "plugin/info_record.h"

#include <cstddef>
#include <cstring>

#include "tansy/info_record_layout.h"

namespace quillbox {

static_assert(offsetof(TPlugInInfoRecord, Name) == tansy::kInfoNameOffset);
static_assert(offsetof(TPlugInInfoRecord, Vendor) == tansy::kInfoVendorOffset);
static_assert(offsetof(TPlugInInfoRecord, Version) == tansy::kInfoVersionOffset);
static_assert(offsetof(TPlugInInfoRecord, Description) == tansy::kInfoDescriptionOffset);
static_assert(sizeof(TPlugInInfoRecord::Name) == tansy::kInfoNameSize);
static_assert(sizeof(TPlugInInfoRecord::Vendor) == tansy::kInfoVendorSize);
static_assert(sizeof(TPlugInInfoRecord::Version) == tansy::kInfoVersionSize);
static_assert(sizeof(TPlugInInfoRecord::Description) == tansy::kInfoDescriptionSize);
static_assert(sizeof(TPlugInInfoRecord) == tansy::kInfoDescriptionOffset + tansy::kInfoDescriptionSize);

void WriteInfoField(char* field, std::size_t fieldSize, std::string_view text, TCodePage codePage)
{
    if (fieldSize == 0) return;
    std::size_t length = 0;
    while (length < text.size()) {
        const std::size_t next = length + codePage.CharLength(text, length);
        if (next > fieldSize - 1) break;
        length = next;
    }
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

void FillPlugInInfo(TPlugInInfoRecord& record, const TPlugInInfo& info, TCodePage codePage)
{
    WriteInfoField(record.Name, sizeof record.Name, info.Name, codePage);
    WriteInfoField(record.Vendor, sizeof record.Vendor, info.Vendor, codePage);
    WriteInfoField(record.Version, sizeof record.Version, info.Version, codePage);
    WriteInfoField(record.Description, sizeof record.Description, info.Description, codePage);
}

}  // namespace quillbox
