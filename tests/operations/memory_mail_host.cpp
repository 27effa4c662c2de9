#include "memory_mail_host.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "convert/transfer_encoding.h"

namespace quillbox::testing {

namespace {
std::size_t HeaderEnd(const std::string& source)
{
    const std::size_t crlf = source.find("\r\n\r\n");
    const std::size_t lf = source.find("\n\n");
    if (crlf != std::string::npos && (lf == std::string::npos || crlf < lf)) return crlf + 2;
    return lf == std::string::npos ? source.size() : lf + 1;
}

// Start and end of the field name: (its first line and continuation lines).
std::pair<std::size_t, std::size_t> FindField(const std::string& header, const std::string& name)
{
    std::size_t line = 0;
    while (line < header.size()) {
        if (header.compare(line, name.size() + 1, name + ":") == 0) {
            std::size_t end = line;
            do {
                end = header.find('\n', end);
                end = end == std::string::npos ? header.size() : end + 1;
            } while (end < header.size() && (header[end] == ' ' || header[end] == '\t'));
            return {line, end};
        }
        const std::size_t next = header.find('\n', line);
        if (next == std::string::npos) break;
        line = next + 1;
    }
    return {std::string::npos, std::string::npos};
}

}  // namespace

TMemoryMailHost::TMemoryMailHost()
    : folder_(std::filesystem::temp_directory_path() /
              ("qbx-ops-" + std::to_string(::getpid()) + "-" + std::to_string(reinterpret_cast<std::uintptr_t>(this))))
{
    std::filesystem::create_directories(folder_);
}

TMemoryMailHost::~TMemoryMailHost() { std::filesystem::remove_all(folder_); }

std::optional<std::string> TMemoryMailHost::GetHeader(const std::string& mailId)
{
    const auto mail = Mails.find(mailId);
    if (mail == Mails.end()) return std::nullopt;
    return mail->second.substr(0, HeaderEnd(mail->second));
}

std::optional<TSharedText> TMemoryMailHost::GetSource(const std::string& mailId)
{
    const auto mail = Mails.find(mailId);
    if (mail == Mails.end()) return std::nullopt;
    return TSharedText(mail->second);
}

void TMemoryMailHost::SetSource(const std::string& source)
{
    ++SetSourceCalls;
    Mails[Current] = StoreSource ? StoreSource(source) : source;
}

std::string TMemoryMailHost::GetSpecifiedHeader(const std::string& name)
{
    const std::string& source = Mails[Current];
    const std::string header = source.substr(0, HeaderEnd(source));
    const auto [start, end] = FindField(header, name);
    if (start == std::string::npos) return {};
    std::string value = header.substr(start + name.size() + 1, end - start - name.size() - 1);
    while (!value.empty() && (value.back() == '\n' || value.back() == '\r')) value.pop_back();
    while (!value.empty() && value.front() == ' ') value.erase(0, 1);
    return value;
}

void TMemoryMailHost::SetSpecifiedHeader(const std::string& name, const std::string& value)
{
    std::string& source = Mails[Current];
    const std::size_t headerEnd = HeaderEnd(source);
    const auto [start, end] = FindField(source.substr(0, headerEnd), name);
    const std::string field = name + ": " + value + "\r\n";
    if (start == std::string::npos) source.insert(headerEnd, field);
    else source.replace(start, end - start, field);
}

std::string TMemoryMailHost::GetTempFileName(const std::string& extension)
{
    const std::filesystem::path folder = TempFolderMissing ? folder_ / "missing" : folder_;
    TempFiles.push_back((folder / ("tmp" + std::to_string(TempFiles.size()) + "." + extension)).string());
    return TempFiles.back();
}

std::vector<std::string> TMemoryMailHost::TempFilesLeft() const
{
    std::vector<std::string> left;
    for (const std::string& file : TempFiles)
        if (std::filesystem::exists(file)) left.push_back(file);
    return left;
}

bool TMemoryMailHost::B64Decode(const std::string& destination, const std::string& source)
{
    return Base64ConvertFile(destination, source, TConvertDirection::Decode);
}

bool TMemoryMailHost::QPDecode(const std::string& destination, const std::string& source)
{
    return QuotedPrintableConvertFile(destination, source, TConvertDirection::Decode);
}

std::string ReadFileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace quillbox::testing
