// Where each attachment of a run of saves into one folder goes: its safe
// file name (numbered when the options say so), and whether a file already
// there may be replaced, as the user answers or has answered for the run.
#pragma once

#include <functional>
#include <string>

#include "catalogue/attachment.h"
#include "operations/numbered_names.h"
#include "operations/save_window.h"
#include "settings/settings_values.h"
#include "text/code_page.h"

namespace quillbox {

enum class TTargetChoice {
    Write,   // write the file at Path
    Skip,    // a file of that name stays: answered No, now or for the run
    Cancel,  // the user ended the run
};

struct TSaveTarget {
    TTargetChoice Choice = TTargetChoice::Write;
    std::string Name;  // the name in the folder
    std::string Path;  // folder + name
};

class TSaveTargets {
public:
    // The overwrite question: Yes, No, Cancel, No to all or Yes to all.
    using TAsk = std::function<TOverwriteAnswer(const std::string& name)>;

    // folder ends in a path separator.
    TSaveTargets(const std::string& folder, const TSaveOptions& options, const TCodePage& codePage, TAsk ask);

    // With NumberSameNames the first free name, never asking; otherwise the
    // safe name, and an existing file there is asked about unless Yes to all
    // or No to all was answered before. EInOutError when numbering finds no
    // free name.
    TSaveTarget For(const TAttachment& attachment);

private:
    const std::string folder_;
    const bool numberSameNames_;
    const TCodePage& codePage_;
    TAsk ask_;
    TNumberedNames names_;
    TOverwriteAnswer answer_ = TOverwriteAnswer::Yes;
};

}  // namespace quillbox
