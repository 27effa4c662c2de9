// Speed of the regular-expression library where the plug-in leans on it:
// cutting large mail sources at their boundary (next to memmem over the
// same bytes) and classifying many part heads with the scan's patterns.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "regex/regex_library.h"

namespace {

using Clock = std::chrono::steady_clock;

const std::string kBoundary = "----=_NextPart_000_0012_01D9A5E3.5E3A7B20";

// A mail of about the given size: a text part, then attachments of about
// 2 MB each as base64 lines, then the closing delimiter.
std::string MailSource(std::size_t size)
{
    std::string line;
    for (int i = 0; i < 76; ++i) line.push_back("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"[(i * 7) % 64]);
    line += "\r\n";
    std::string s = "From: a@example.jp\r\nContent-Type: multipart/mixed;\r\n boundary=\"" + kBoundary +
                    "\"\r\n\r\nThis is a multi-part message in MIME format.\r\n\r\n--" + kBoundary +
                    "\r\nContent-Type: text/plain; charset=\"iso-2022-jp\"\r\n\r\nhello\r\n\r\n";
    s.reserve(size + 4096);
    int part = 0;
    while (s.size() < size) {
        s += "--" + kBoundary + "\r\nContent-Type: application/octet-stream; name=\"part" + std::to_string(part++) +
             ".bin\"\r\nContent-Transfer-Encoding: base64\r\n\r\n";
        for (std::size_t n = 0; n < 2 * 1024 * 1024 / line.size() && s.size() < size; ++n) s += line;
        s += "\r\n";
    }
    s += "--" + kBoundary + "--\r\n";
    return s;
}

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

void SplitBenchmark(std::size_t size, int rounds)
{
    const std::string source = MailSource(size);
    quillbox::TBRegExp own;
    std::string pattern = "--" + kBoundary;
    quillbox::SharedRegExp().Subst("s/(\\W)/\\\\$1/g", pattern);
    pattern = "m/" + pattern + "\\-*\\s*/";

    // Alternating rounds, the best of each: the machine is shared.
    const std::string needle = "--" + kBoundary;
    int pieces = 0, found = 0;
    double ours = 1e9, peer = 1e9;
    for (int r = 0; r < rounds; ++r) {
        auto start = Clock::now();
        own.Split(pattern, source, 1000);
        pieces = own.Count();
        ours = std::min(ours, Seconds(start));

        start = Clock::now();
        found = 0;
        const char* p = source.data();
        const char* end = source.data() + source.size();
        while (const void* hit = memmem(p, end - p, needle.data(), needle.size())) {
            ++found;
            p = static_cast<const char*>(hit) + needle.size();
        }
        peer = std::min(peer, Seconds(start));
    }
    const double mb = source.size() / 1e6;
    std::printf("split %6.1f MB source (%d pieces, %d delimiters): %8.0f MB/s  memmem %8.0f MB/s  ratio %.2f (aim >= 0.50)\n",
                mb, pieces, found, mb / ours, mb / peer, peer / ours);
}

std::vector<std::string> PartHeads(int count)
{
    const char* kinds[] = {
        "Content-Type: text/plain; charset=\"iso-2022-jp\"\r\nContent-Transfer-Encoding: 7bit\r\n",
        "Content-Type: text/html; name=\"5f3a1b20\"\r\nContent-Transfer-Encoding: base64\r\n",
        "Content-Type: application/octet-stream;\r\n name=\"report.pdf\"\r\nContent-Transfer-Encoding: base64\r\n"
        "Content-Disposition: attachment;\r\n filename=\"report.pdf\"\r\n",
        "Content-Type: application/vnd.ms-excel; name=\"\x95\x5C.xls\"\r\nContent-Transfer-Encoding: base64\r\n",
        "Content-Type: image/jpeg;\r\n\tname=\"photo.jpg\"\r\nContent-Transfer-Encoding: base64\r\n",
        "Content-Type: text/html; charset=\"utf-8\"\r\nContent-Transfer-Encoding: quoted-printable\r\n",
        "Content-Type: message/rfc822\r\n",
    };
    std::vector<std::string> heads;
    for (int i = 0; i < count; ++i) heads.emplace_back(kinds[i % 7]);
    return heads;
}

void ClassificationBenchmark(int count)
{
    static const char* const tests[] = {
        "m/Content\\-Type\\:\\s*text\\/plain/i",
        "m/Content\\-Type\\:\\s*text\\/html\\;\\s*name\\s*\\=\\s*\\\"(.+)\\\"/i",
        "m/Content\\-Disposition\\:\\s*attachment\\;\\s*filename\\s*\\=\\s*\\\"(.+)\\\"/i",
        "m/Content\\-Type\\:\\s*application\\/[^\\;]+\\;\\s*name\\s*\\=\\s*\\\"(.+)\\\"/i",
        "m/Content\\-Type\\:\\s*image\\/[^\\;]+\\;\\s*name\\s*\\=\\s*\\\"(.+)\\\"/i",
        "m/Content\\-Type\\:\\s*text\\/(html*)\\;*\\s/i",
    };
    const std::vector<std::string> heads = PartHeads(count);
    quillbox::TBRegExp& re = quillbox::SharedRegExp();
    int attachments = 0;
    const auto start = Clock::now();
    for (const std::string& head : heads) {
        for (int t = 0; t < 6; ++t) {
            if (!re.Match(tests[t], head)) continue;
            if (t > 0) {
                std::string name = t == 5 ? "html" : re.Strings(1);
                re.Trans("tr/A-Z/a-z/", name);
                re.Match("m/Content\\-Transfer\\-Encoding\\:\\s*(\\S+)/i", head);
                ++attachments;
            }
            break;
        }
    }
    const double seconds = Seconds(start);
    std::printf("classify %d part heads (%d attachments): %.3f s, %.0f heads/s\n", count, attachments, seconds,
                count / seconds);
}

}  // namespace

int main()
{
    if (!quillbox::LoadRegexLibrary(QBX_REGEX_LIBRARY_DIR, [](const std::string& m) { std::fprintf(stderr, "%s\n", m.c_str()); }))
        return 1;
    SplitBenchmark(10 * 1000 * 1000, 20);
    SplitBenchmark(100 * 1000 * 1000, 5);
    ClassificationBenchmark(100000);
    quillbox::UnloadRegexLibrary();
    return 0;
}
