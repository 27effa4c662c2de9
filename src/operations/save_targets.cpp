#include "operations/save_targets.h"

#include "operations/local_file.h"
#include "operations/safe_file_name.h"

namespace quillbox {

TSaveTargets::TSaveTargets(const std::string& folder, const TSaveOptions& options, const TCodePage& codePage,
                           TAsk ask)
    : folder_(folder), numberSameNames_(options.NumberSameNames), codePage_(codePage), ask_(std::move(ask)),
      names_([folder](const std::string& name) { return IsExistingPath(folder + name); }, codePage,
             NameRoomIn(folder))
{
}

TSaveTarget TSaveTargets::For(const TAttachment& attachment)
{
    TSaveTarget target;
    target.Name = SafeFileName(attachment.FileName, codePage_, NameRoomIn(folder_));
    if (numberSameNames_) target.Name = names_.FreeName(target.Name);
    target.Path = folder_ + target.Name;
    if (numberSameNames_ || !IsExistingFile(target.Path)) return target;

    if (answer_ == TOverwriteAnswer::NoToAll) {
        target.Choice = TTargetChoice::Skip;
        return target;
    }
    if (answer_ != TOverwriteAnswer::YesToAll) answer_ = ask_(target.Name);
    switch (answer_) {
    case TOverwriteAnswer::Cancel: target.Choice = TTargetChoice::Cancel; break;
    case TOverwriteAnswer::No:
    case TOverwriteAnswer::NoToAll: target.Choice = TTargetChoice::Skip; break;
    case TOverwriteAnswer::Yes:
    case TOverwriteAnswer::YesToAll: break;
    }
    return target;
}

}  // namespace quillbox
