// qbx scan: the plug-in's folder scan over the store, one line per attachment.
#pragma once

#include <string>
#include <vector>

namespace quillbox {

// args: DATA-DIR FOLDER-ID [--progress]
int ScanCommand(const std::vector<std::string>& args);

}  // namespace quillbox
