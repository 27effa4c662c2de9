#include "python_email.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

namespace quillbox::testing {

namespace {
struct TPipeCloser {
    void operator()(std::FILE* pipe) const { pclose(pipe); }
};
}  // namespace

std::vector<std::string> PythonEmailReport(const std::string& source, const std::vector<std::string>& headers)
{
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("qbx-email-" + std::to_string(::getpid()) + ".eml");
    std::ofstream(file, std::ios::binary) << source;
    std::string command = "python3 " QBX_EMAIL_REPORT_SCRIPT " '" + file.string() + "'";
    for (const std::string& header : headers) command += " '" + header + "'";
    std::vector<std::string> lines;
    {
        const std::unique_ptr<std::FILE, TPipeCloser> pipe(popen(command.c_str(), "r"));
        if (!pipe) return lines;
        std::string line;
        for (int c = std::fgetc(pipe.get()); c != EOF; c = std::fgetc(pipe.get())) {
            if (c != '\n') {
                line += static_cast<char>(c);
                continue;
            }
            lines.push_back(line);
            line.clear();
        }
    }
    std::filesystem::remove(file);
    return lines;
}

std::vector<std::string> LinesAfter(const std::vector<std::string>& report, const std::string& prefix)
{
    std::vector<std::string> found;
    for (const std::string& line : report)
        if (line.starts_with(prefix)) found.push_back(line.substr(prefix.size()));
    return found;
}

std::string Hex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (const char c : bytes) {
        hex += digits[static_cast<unsigned char>(c) >> 4];
        hex += digits[static_cast<unsigned char>(c) & 0xF];
    }
    return hex;
}

}  // namespace quillbox::testing
