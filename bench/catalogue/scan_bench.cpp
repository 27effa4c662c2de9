// The folder scan over the store, timed.
//
//   scan_bench folder DATA-DIR FOLDER-ID [classic|full]
//       scans the folder three times (by the full rules unless told) and
//       prints the best time and the MB/s of the sources it read, then the
//       same for the store's part alone (each mail's header and source, as
//       the classic scan asks for them), then
//       memcpy's speed over the same bytes
//   scan_bench no-empty-line MB...
//       scans a mail whose one part of MB megabytes has no empty line
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <time.h>
#include <unistd.h>

#include "catalogue/folder_scan.h"
#include "unwatched_scan.h"
#include "regex/regex_library.h"
#include "store/store_host_api.h"

namespace quillbox {
namespace {

using TClock = std::chrono::steady_clock;

// Counts the source bytes the scan reads.
class TCountingHost : public TStoreHostApi {
public:
    using TStoreHostApi::TStoreHostApi;
    std::optional<TSharedText> GetSource(const std::string& mailId) override
    {
        std::optional<TSharedText> source = TStoreHostApi::GetSource(mailId);
        if (source) SourceBytes += source->size();
        return source;
    }
    std::size_t SourceBytes = 0;
};

// Processor time of this process: the machine is shared, wall time is noisy.
double CpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

struct TScanRun {
    double Seconds;
    double CpuSeconds;
    std::size_t SourceBytes;
    std::int32_t Attachments;
    std::vector<std::string> MailIds;
};

TScanRun ScanOnce(const std::string& dataDir, const std::string& folder,
                  TAttachmentRules rules = TAttachmentRules::Full)
{
    TCountingHost host(TMailStore(dataDir, 932, [](const std::string&) {}), folder.substr(0, folder.find('/') + 1),
                       folder, std::filesystem::temp_directory_path().string() + "/");
    TMailList list;
    list.MailBox = host.GetCurrentMailBox();
    list.Folder = folder;
    list.Rules = rules;
    TNoIcons icons;
    const auto start = TClock::now();
    const double cpuStart = CpuSeconds();
    ScanUnwatched(list, host, icons);
    const double seconds = std::chrono::duration<double>(TClock::now() - start).count();
    TScanRun run{seconds, CpuSeconds() - cpuStart, host.SourceBytes, list.AttachCount, {}};
    for (std::size_t i = 0; i < list.Count(); ++i) run.MailIds.push_back(list[i].MailID);
    return run;
}

// What the scan asks of the store, without the scan: each mail's header,
// then its source.
TScanRun ReadOnce(const std::string& dataDir, const std::string& folder, const std::vector<std::string>& mailIds)
{
    TCountingHost host(TMailStore(dataDir, 932, [](const std::string&) {}), folder.substr(0, folder.find('/') + 1),
                       folder, std::filesystem::temp_directory_path().string() + "/");
    const auto start = TClock::now();
    const double cpuStart = CpuSeconds();
    host.GetDataFolder();
    for (const std::string& id : mailIds) {
        const std::optional<std::string> header = host.GetHeader(id);
        const std::optional<TSharedText> source = host.GetSource(id);
        asm volatile("" : : "r"(header->data()), "r"(source->data()) : "memory");
    }
    const double seconds = std::chrono::duration<double>(TClock::now() - start).count();
    return TScanRun{seconds, CpuSeconds() - cpuStart, host.SourceBytes, 0, mailIds};
}

double MemcpySeconds(const std::vector<std::string>& sources)
{
    std::size_t largest = 0;
    for (const std::string& s : sources) largest = std::max(largest, s.size());
    std::vector<char> destination(largest);
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        const auto start = TClock::now();
        for (const std::string& s : sources) {
            std::memcpy(destination.data(), s.data(), s.size());
            asm volatile("" : : "r"(destination.data()) : "memory");
        }
        best = std::min(best, std::chrono::duration<double>(TClock::now() - start).count());
    }
    return best;
}

int Folder(const std::string& dataDir, std::string folder, TAttachmentRules rules)
{
    if (folder.empty() || folder.back() != '/') folder += '/';
    TScanRun best = ScanOnce(dataDir, folder, rules);  // also warms the page cache
    for (int round = 0; round < 3; ++round) {
        TScanRun run = ScanOnce(dataDir, folder, rules);
        if (run.Seconds < best.Seconds) best = std::move(run);
    }
    const double mb = best.SourceBytes / 1e6;
    std::printf("scan mails=%zu attachments=%d bytes=%zu seconds=%.3f cpu-seconds=%.3f MB/s=%.0f cpu-MB/s=%.0f\n",
                best.MailIds.size(), best.Attachments, best.SourceBytes, best.Seconds, best.CpuSeconds,
                mb / best.Seconds, mb / best.CpuSeconds);

    TScanRun reads = ReadOnce(dataDir, folder, best.MailIds);
    for (int round = 0; round < 2; ++round) {
        TScanRun run = ReadOnce(dataDir, folder, best.MailIds);
        if (run.Seconds < reads.Seconds) reads = std::move(run);
    }
    std::printf("store-reads bytes=%zu seconds=%.3f cpu-seconds=%.3f MB/s=%.0f cpu-MB/s=%.0f\n", reads.SourceBytes,
                reads.Seconds, reads.CpuSeconds, reads.SourceBytes / 1e6 / reads.Seconds,
                reads.SourceBytes / 1e6 / reads.CpuSeconds);

    TMailStore store(dataDir, 932, [](const std::string&) {});
    std::vector<std::string> sources;
    for (const std::string& id : best.MailIds) sources.emplace_back(store.Source(id).value_or(TSharedText()));
    const double copy = MemcpySeconds(sources);
    std::printf("memcpy bytes=%zu seconds=%.3f MB/s=%.0f\n", best.SourceBytes, copy, mb / copy);
    return 0;
}

int NoEmptyLine(const std::vector<std::string>& sizes)
{
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("qbx-bench-head-" + std::to_string(::getpid()));
    for (const std::string& sizeText : sizes) {
        const std::size_t size = std::stoul(sizeText) * 1000000;
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root / "box" / "in");
        std::string part = "Content-Type: application/pdf; name=\"big.pdf\"\r\n";
        while (part.size() < size) part += "X-Line: 0123456789012345678901234567890123456789012345678901234567\r\n";
        const std::string source = "Content-Type: multipart/mixed; boundary=\"b\"\r\n\r\n--b\r\n" + part + "--b--\r\n";
        std::ofstream(root / "box" / "in" / "1.eml", std::ios::binary) << source;
        std::ofstream(root / "box" / "in" / "Folder.idx", std::ios::binary)
            << "1.eml\x01" "1\x01" "\x01" "s\x01" "f\x01" "\x01" "0\x01" "\x01" "3B9ACA00\x01" "0\x01" "0\x01" "0\x01"
               "8\x01" "0\x01" "0\x01" "0\x01" "$\r\n";
        const TScanRun run = ScanOnce(root.string(), "box/in/");
        std::printf("no-empty-line part MB=%s attachments=%d seconds=%.3f cpu-seconds=%.3f\n", sizeText.c_str(),
                    run.Attachments, run.Seconds, run.CpuSeconds);
    }
    std::filesystem::remove_all(root);
    return 0;
}

}  // namespace
}  // namespace quillbox

int main(int argc, char** argv)
{
    if (!quillbox::LoadRegexLibrary(QBX_REGEX_LIBRARY_DIR,
                                    [](const std::string& m) { std::fprintf(stderr, "%s\n", m.c_str()); }))
        return 1;
    const std::vector<std::string> args(argv + 1, argv + argc);
    int result = 2;
    if ((args.size() == 3 || args.size() == 4) && args[0] == "folder")
        result = quillbox::Folder(args[1], args[2],
                                  args.size() == 4 && args[3] == "classic" ? quillbox::TAttachmentRules::Classic
                                                                           : quillbox::TAttachmentRules::Full);
    else if (args.size() >= 2 && args[0] == "no-empty-line")
        result = quillbox::NoEmptyLine({args.begin() + 1, args.end()});
    else std::fprintf(stderr, "usage: scan_bench folder DATA-DIR FOLDER-ID [classic|full] | no-empty-line MB...\n");
    quillbox::UnloadRegexLibrary();
    return result;
}
