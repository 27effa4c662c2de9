// The screen as a BMP file.
#pragma once

#include <string>

namespace quillbox {

bool SaveScreenshot(const std::string& path);

}  // namespace quillbox
