// The plug-in's own share of the scan and the save, over a host that keeps
// the mails in memory, timed in processor time (the machine is shared).
//
//   mime_bench scan DATA-DIR FOLDER-ID
//       reads the folder's sources into memory once, then times the MIME
//       reader alone, and the whole folder scan under the classic and the
//       full rules; best of three, beside memcpy over the same bytes
//   mime_bench save MB
//       one mail with an attachment of MB megabytes in Base64 and one in
//       8bit: the time to find and cut the body and hand it on (the host's
//       converter left out), and the peak memory of a save with and without
//       the reference host's converter, against the encoded size
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <time.h>
#include <unistd.h>

#include "catalogue/folder_scan.h"
#include "unwatched_scan.h"
#include "convert/transfer_encoding.h"
#include "mime/mime_tree.h"
#include "operations/body_writer.h"
#include "operations/decode_attachment.h"
#include "regex/regex_library.h"
#include "store/store_host_api.h"
#include "text/code_page.h"

namespace quillbox {
namespace {

double CpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

// The process's peak resident memory since the last reset, in bytes.
std::size_t PeakResident()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:")) return std::stoul(line.substr(6)) * 1024;
    return 0;
}
std::size_t Resident()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmRSS:")) return std::stoul(line.substr(6)) * 1024;
    return 0;
}
void ResetPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }

// Mails held in memory; the folder's index stays on disk where the scan reads it.
class TMemoryHost : public THostApi {
public:
    std::string GetDataFolder() override { return DataFolder; }
    std::string GetCurrentFolder() override { return Folder; }
    std::string GetCurrentMailBox() override { return Folder.substr(0, Folder.find('/') + 1); }
    std::string GetFolderDisplayName(const std::string&) override { return Folder; }
    void SetCurrentMail(const std::string&) override {}
    std::optional<std::string> GetHeader(const std::string& mailId) override
    {
        const auto mail = Mails.find(mailId);
        if (mail == Mails.end()) return std::nullopt;
        const std::string_view source = mail->second;
        return std::string(source.substr(0, source.find("\r\n\r\n") + 2));
    }
    std::optional<TSharedText> GetSource(const std::string& mailId) override
    {
        const auto mail = Mails.find(mailId);
        if (mail == Mails.end()) return std::nullopt;
        return mail->second;
    }
    void SetSource(const std::string&) override {}
    std::string GetSpecifiedHeader(const std::string&) override { return {}; }
    void SetSpecifiedHeader(const std::string&, const std::string&) override {}
    std::string Iso2022JpToLocal(const std::string& text) override { return text; }
    std::string LocalToIso2022Jp(const std::string& text) override { return text; }
    std::string DecodeMimeHeader(const std::string& header) override { return header; }
    std::string GetTempFileName(const std::string& extension) override
    {
        return std::filesystem::temp_directory_path().string() + "/qbx-mime-bench-" + std::to_string(::getpid()) +
               "." + extension;
    }
    bool B64Decode(const std::string& destination, const std::string& source) override
    {
        return !RealConverter || Base64ConvertFile(destination, source, TConvertDirection::Decode);
    }
    bool QPDecode(const std::string&, const std::string&) override { return true; }

    std::string DataFolder, Folder;
    std::map<std::string, TSharedText> Mails;
    bool RealConverter = false;
};

template <class TWork>
double BestCpuSeconds(TWork work)
{
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        const double start = CpuSeconds();
        work();
        best = std::min(best, CpuSeconds() - start);
    }
    return best;
}

int Scan(const std::string& dataDir, std::string folder)
{
    if (folder.empty() || folder.back() != '/') folder += '/';
    TMemoryHost host;
    host.DataFolder = dataDir + "/";
    host.Folder = folder;
    std::size_t bytes = 0;
    {
        TStoreHostApi store(TMailStore(dataDir, 932, [](const std::string&) {}), host.GetCurrentMailBox(), folder,
                            std::filesystem::temp_directory_path().string() + "/");
        TMailList list;
        list.MailBox = host.GetCurrentMailBox();
        list.Folder = folder;
        TNoIcons icons;
        ScanUnwatched(list, store, icons);
        for (std::size_t i = 0; i < list.Count(); ++i) {
            TSharedText source = store.GetSource(list[i].MailID).value_or(TSharedText());
            bytes += source.size();
            host.Mails[list[i].MailID] = std::move(source);
        }
    }
    const double mb = bytes / 1e6;
    std::size_t parts = 0;
    const double reader = BestCpuSeconds([&] {
        parts = 0;
        for (const auto& [id, source] : host.Mails) parts += TMimeTree(source).Size();
    });
    std::printf("reader mails=%zu parts=%zu bytes=%zu cpu-seconds=%.3f cpu-MB/s=%.0f\n", host.Mails.size(), parts,
                bytes, reader, mb / reader);
    for (const TAttachmentRules rules : {TAttachmentRules::Classic, TAttachmentRules::Full}) {
        std::int32_t found = 0;
        const double seconds = BestCpuSeconds([&] {
            TMailList list;
            list.MailBox = host.GetCurrentMailBox();
            list.Folder = folder;
            list.Rules = rules;
            TNoIcons icons;
            ScanUnwatched(list, host, icons);
            found = list.AttachCount;
        });
        std::printf("scan-%s attachments=%d bytes=%zu cpu-seconds=%.3f cpu-MB/s=%.0f\n",
                    rules == TAttachmentRules::Full ? "full" : "classic", found, bytes, seconds, mb / seconds);
    }
    std::vector<char> destination(std::max_element(host.Mails.begin(), host.Mails.end(), [](const auto& a, const auto& b) {
                                      return a.second.size() < b.second.size();
                                  })->second.size());
    const double copy = BestCpuSeconds([&] {
        for (const auto& [id, source] : host.Mails) {
            std::memcpy(destination.data(), source.data(), source.size());
            asm volatile("" : : "r"(destination.data()) : "memory");
        }
    });
    std::printf("memcpy bytes=%zu cpu-seconds=%.3f cpu-MB/s=%.0f\n", bytes, copy, mb / copy);
    return 0;
}

// A mail with a text part and one attachment of size bytes.
std::string BigMail(std::size_t size, bool base64)
{
    std::mt19937 random(7);
    std::string data(size, '\0');
    for (char& c : data) c = base64 ? static_cast<char>(random()) : static_cast<char>('a' + random() % 26);
    if (!base64)
        for (std::size_t i = 75; i < data.size(); i += 77) data.replace(i, 2, "\r\n");
    const std::string body = base64 ? Base64Encode(data) : data;
    return "From: a@example.com\r\nSubject: big\r\nMIME-Version: 1.0\r\n"
           "Content-Type: multipart/mixed; boundary=\"b\"\r\n\r\n--b\r\nContent-Type: text/plain\r\n\r\nsee\r\n"
           "--b\r\nContent-Type: application/octet-stream; name=\"big.bin\"\r\nContent-Transfer-Encoding: " +
           std::string(base64 ? "base64" : "8bit") + "\r\n\r\n" + body + "\r\n--b--\r\n";
}

int Save(const std::string& megabytes)
{
    const std::size_t size = std::stoul(megabytes) * 1000000;
    const std::string out = std::filesystem::temp_directory_path().string() + "/qbx-mime-bench-out-" +
                            std::to_string(::getpid());
    for (const bool base64 : {true, false}) {
        TMemoryHost host;
        host.Mails["box/in/?1"] = TSharedText(BigMail(size, base64));
        const std::size_t encoded = host.Mails["box/in/?1"].size();
        TMailItem mail;
        mail.MailID = "box/in/?1";
        TAttachment attachment;
        attachment.PartNo = 2;
        attachment.Encoding = base64 ? "base64" : "8bit";
        {
            const TMimeTree tree(host.Mails["box/in/?1"]);
            attachment.Size = static_cast<std::int32_t>(tree.FollowingDash(2) - tree[2].Content.Begin);
        }
        const char* kind = base64 ? "base64" : "8bit";
        const double seconds = BestCpuSeconds([&] { DecodeAttachment(host, mail, attachment, out); });
        std::printf("save-%s encoded-bytes=%zu cpu-seconds=%.3f cpu-MB/s=%.0f\n", kind, encoded, seconds,
                    encoded / 1e6 / seconds);
        // Its steps: the host's hand-over of the source, finding and cutting
        // the body, and writing it out (to the temporary file or the destination).
        const std::string_view source = host.Mails["box/in/?1"];
        const double fetch = BestCpuSeconds([&] { asm volatile("" : : "r"(host.GetSource(mail.MailID)->data()) : "memory"); });
        TMimeSpan body;
        const double locate = BestCpuSeconds([&] {
            const TMimeTree tree(source);
            body = tree[*tree.Find(PartPath(attachment))].Body;
        });
        const double write = BestCpuSeconds([&] {
            TFileWriter file(out);
            WriteWithCrLf(file, body.In(source));
            file.Close();
        });
        std::printf("save-%s-steps fetch-cpu-MB/s=%.0f locate-cpu-MB/s=%.0f write-cpu-MB/s=%.0f\n", kind,
                    encoded / 1e6 / fetch, encoded / 1e6 / locate, encoded / 1e6 / write);
        for (const bool real : {false, true}) {
            if (!base64 && real) continue;
            host.RealConverter = real;
            const std::size_t before = Resident();
            ResetPeakResident();
            DecodeAttachment(host, mail, attachment, out);
            const std::size_t peak = PeakResident() - std::min(before, PeakResident());
            std::printf("save-%s-peak%s extra-bytes=%zu per-encoded-byte=%.2f\n", base64 ? "base64" : "8bit",
                        real ? "-with-host-converter" : "", peak, static_cast<double>(peak) / encoded);
        }
        std::remove(out.c_str());
        std::remove(host.GetTempFileName("txt").c_str());
    }
    return 0;
}

}  // namespace
}  // namespace quillbox

int main(int argc, char** argv)
{
    quillbox::TCodePage::SetActiveForProcess(932);
    if (!quillbox::LoadRegexLibrary(QBX_REGEX_LIBRARY_DIR,
                                    [](const std::string& m) { std::fprintf(stderr, "%s\n", m.c_str()); }))
        return 1;
    const std::vector<std::string> args(argv + 1, argv + argc);
    int result = 2;
    if (args.size() == 3 && args[0] == "scan") result = quillbox::Scan(args[1], args[2]);
    else if (args.size() == 2 && args[0] == "save") result = quillbox::Save(args[1]);
    else std::fprintf(stderr, "usage: mime_bench scan DATA-DIR FOLDER-ID | save MB\n");
    quillbox::UnloadRegexLibrary();
    return result;
}
