// Fresh file names in a temporary folder.
#pragma once

#include <string>

namespace quillbox {

class TTempNames {
public:
    // folder ends with a path separator.
    explicit TTempNames(std::string folder) : folder_(std::move(folder)) {}

    // A path that did not exist; the file is created empty so that the next
    // call, or another process, cannot hand out the same name.
    std::string Next(const std::string& extension);

    const std::string& Folder() const { return folder_; }

private:
    std::string folder_;
    unsigned counter_ = 0;
};

}  // namespace quillbox
