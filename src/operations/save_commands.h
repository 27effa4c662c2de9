// The two save commands: every marked attachment of the listed rows into one
// folder, and one attachment under a chosen name.
#pragma once

#include <string>
#include <vector>

#include "catalogue/list_pos_item.h"
#include "operations/run_locale.h"
#include "operations/run_progress.h"
#include "operations/save_window.h"
#include "settings/settings_values.h"
#include "tansy/host_api.h"
#include "text/code_page.h"

namespace quillbox {

// Saves the marked attachments of rows (in display order) into a folder the
// user picks, starting from saveDir. Each goes under its safe file name;
// existing files are asked about, or with NumberSameNames a name in use gets
// the first free number. With MailDateOnFiles each file carries its mail's
// date. Whatever ends the run (the last row, Cancel or an error), the status
// bar is reset, SaveDir follows the folder and the attachments that could not
// be decoded are reported (their dates written with locale's separator); an
// error is then passed on.
void SaveMarked(const std::vector<TListPosItem>& rows, int markCount, const std::string& saveDir,
                const TSaveOptions& options, THostApi& host, TSaveWindow& window, TRunProgress& progress,
                const TRunLocale& locale, const TCodePage& codePage);

// Saves one attachment under a path the user picks, proposing its safe file
// name in saveDir (with NumberSameNames, the first free numbered form).
// SaveDir follows the chosen folder even when decoding fails.
void SaveAttachmentAs(TMailItem& mail, const TAttachment& attachment, const std::string& saveDir,
                      const TSaveOptions& options, THostApi& host, TSaveWindow& window, const TCodePage& codePage);

// "yyyy/mm/dd<TAB>subject<TAB>file name" for the failure report.
std::string UndecodableLine(const TMailItem& mail, const TAttachment& attachment, char dateSeparator);

}  // namespace quillbox
