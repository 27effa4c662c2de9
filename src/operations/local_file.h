// Files named by narrow paths in the local code page (the ANSI file API on
// Windows), and the input/output error that a failed write raises.
#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quillbox {

class EInOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Creates or truncates the file and writes the bytes; EInOutError naming the
// path when it cannot.
void WriteBytesToFile(const std::string& path, std::string_view bytes);

bool IsExistingFile(const std::string& path);
// A file or a folder.
bool IsExistingPath(const std::string& path);

// A file being written piece by piece; closed on every way out. Write and
// Close raise EInOutError naming the path when the bytes do not all reach
// the file.
class TFileWriter {
public:
    // Creates or truncates.
    explicit TFileWriter(std::string path);
    ~TFileWriter();
    TFileWriter(const TFileWriter&) = delete;
    TFileWriter& operator=(const TFileWriter&) = delete;

    void Write(std::string_view bytes);
    void Close();

private:
    std::string path_;
    std::FILE* file_;
};

// A temporary file the host named: deleted when this goes, on every way out.
class TTempFile {
public:
    explicit TTempFile(std::string path) : path_(std::move(path)) {}
    ~TTempFile();
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace quillbox
