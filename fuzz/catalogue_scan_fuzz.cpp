// Arbitrary index files and mail sources through the folder scan, over the
// store: no crash, no leak, and a catalogue that keeps its orders.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "catalogue/attachment.h"
#include "catalogue/folder_scan.h"
#include "regex/regex_library.h"
#include "store/store_host_api.h"

namespace quillbox {
namespace {

// Esc arrives before a chosen mail, or never.
class TFuzzProgress final : public TScanProgress {
public:
    explicit TFuzzProgress(int escAfter) : escAfter_(escAfter) {}
    bool Tick(int, bool) override { return --escAfter_ != 0; }

private:
    int escAfter_;
};

const std::filesystem::path& DataFolder()
{
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("qbx-scan-fuzz-" + std::to_string(::getpid()));
    return folder;
}

void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "catalogue invariant broken: %s\n", what);
        std::abort();
    }
}

void CheckCatalogue(const TMailList& list, bool finished)
{
    std::int32_t total = 0;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        const TMailItem& mail = list[i];
        Check(!mail.MailID.empty(), "mail identifier");
        Check(i == 0 || list[i - 1].Date <= mail.Date, "date order");
        for (std::size_t a = 0; a < mail.Attachments.size(); ++a) {
            const TAttachment& attachment = *mail.Attachments[a];
            // Part 0 is a mail that is one attachment as a whole: nothing else can be listed beside it.
            Check(attachment.PartNo >= 1 || (attachment.PartNo == 0 && attachment.NestedPath.empty() &&
                                             mail.Attachments.size() == 1),
                  "part number");
            Check(a == 0 || PartPath(*mail.Attachments[a - 1]) < PartPath(attachment), "part order");
            Check(attachment.Size >= 0, "size");
        }
        total += static_cast<std::int32_t>(mail.Attachments.size());
    }
    Check(!finished || total == list.AttachCount, "attachment count");
}

}  // namespace
}  // namespace quillbox

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    using namespace quillbox;
    if (!LoadRegexLibrary(QBX_REGEX_LIBRARY_DIR, [](const std::string& m) { std::fprintf(stderr, "%s\n", m.c_str()); }))
        std::abort();
    std::atexit([] {
        UnloadRegexLibrary();
        std::error_code ignored;
        std::filesystem::remove_all(DataFolder(), ignored);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace quillbox;
    FuzzedDataProvider input(data, size);
    const std::filesystem::path folderPath = DataFolder() / "box" / "inbox";
    std::filesystem::remove_all(folderPath);
    std::filesystem::create_directories(folderPath);

    // The index: whatever the input holds, then one well-formed line per
    // mail source so that the sources are reached.
    std::string index = input.ConsumeRandomLengthString(4096);
    const int mails = input.ConsumeIntegralInRange(0, 12);
    const int escAfter = input.ConsumeIntegralInRange(-1, 12);
    for (int m = 0; m < mails; ++m) {
        char time[16];
        std::snprintf(time, sizeof time, "%X", input.ConsumeIntegral<unsigned>());
        const std::string key = "m" + std::to_string(m);
        index += "\r\n" + key + ".eml\x01" + key + "\x01id\x01subject\x01" "from\x01to\x01" "10\x01" "\x01" +
                 std::string(time) + "\x01" "0\x01" "0\x01" "0\x01" "8\x01" "0\x01" "0\x01" "0\x01" "$";
        std::ofstream(folderPath / (key + ".eml"), std::ios::binary) << input.ConsumeRandomLengthString(1 << 16);
    }
    std::ofstream(folderPath / "Folder.idx", std::ios::binary) << index;

    TStoreHostApi host(TMailStore(DataFolder().string(), 932, [](const std::string&) {}), "box/", "box/inbox/",
                       DataFolder().string() + "/");
    TMailList list;
    list.MailBox = "box/";
    list.Folder = "box/inbox/";
    TFuzzProgress progress(escAfter);
    TNoIcons icons;
    bool finished = true;
    try {
        ScanFolderMails(list, host, icons, progress);
    } catch (const EBRegExpError&) {
        finished = false;  // a pattern too complex for the budget: reported, never a hang
    }
    CheckCatalogue(list, finished);
    return 0;
}
