// qbx rows, qbx save and qbx remove: the plug-in's decoder and removal over the store,
// rows numbered as the grid numbers them in the default view (all
// attachments, newest mail first).
#pragma once

#include <string>
#include <vector>

namespace quillbox {

// args: DATA-DIR FOLDER-ID [--rules classic|full]; one line per grid row: ROW, MailID, PartNo, FileName.
int RowsCommand(const std::vector<std::string>& args);
// args: DATA-DIR FOLDER-ID ROW DEST [--rules classic|full]
int SaveCommand(const std::vector<std::string>& args);
// args: DATA-DIR FOLDER-ID ROW... [--rules classic|full]
int RemoveCommand(const std::vector<std::string>& args);

}  // namespace quillbox
