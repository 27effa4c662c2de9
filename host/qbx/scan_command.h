// qbx scan: the plug-in's folder scan over the store, one line per attachment.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "catalogue/mail_list.h"
#include "tansy/host_api.h"

namespace quillbox {

// args: DATA-DIR FOLDER-ID [--progress] [--rules classic|full]
int ScanCommand(const std::vector<std::string>& args);

// Takes "--rules classic|full" out of args (full when absent); nullopt and a
// message on standard error for any other value.
std::optional<TAttachmentRules> TakeRulesOption(std::vector<std::string>& args);

// What the qbx commands share: folder identifiers, the pattern library
// beside qbx, and the scan of the host's current folder into list (false
// when the scan reported an error).
std::string MailBoxOfFolder(const std::string& folder);
std::string WithFolderSeparator(std::string folder);
bool LoadQbxRegexLibrary();
bool ScanCatalogue(TMailList& list, THostApi& host, bool showProgress = false);

}  // namespace quillbox
