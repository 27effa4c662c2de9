#include "operations/detach_steps.h"

#include "operations/decode_attachment.h"
#include "operations/file_contents.h"
#include "operations/local_file.h"
#include "operations/mail_file_time.h"
#include "operations/remove_parts.h"
#include "operations/removed_names.h"

namespace quillbox {

namespace {
// The decoder asks the host for a temporary ".txt" file of its own; a host
// that names its temporary files by extension alone must not give this one
// the same name.
constexpr const char* kDecodedExtension = "bin";

bool DecodeInto(THostApi& host, TMailItem& mail, const TAttachment& attachment, const TTempFile& decoded)
{
    return DecodeAttachment(host, mail, attachment, decoded.Path());
}
}  // namespace

TSaveOutcome SaveForDetach(THostApi& host, TMailItem& mail, const TAttachment& attachment, const std::string& path,
                           const TSaveOptions& options)
{
    const TTempFile decoded(host.GetTempFileName(kDecodedExtension));
    if (!DecodeInto(host, mail, attachment, decoded)) return TSaveOutcome::Undecodable;
    CopyFileBytes(decoded.Path(), path);
    if (options.MailDateOnFiles) SetFileTimeToMailDate(path, mail.Date);
    return TSaveOutcome::Saved;
}

TCheckOutcome CheckSavedFile(THostApi& host, TMailItem& mail, const TAttachment& attachment, const std::string& path)
{
    const TTempFile decoded(host.GetTempFileName(kDecodedExtension));
    if (!DecodeInto(host, mail, attachment, decoded)) return TCheckOutcome::Failed;
    switch (CompareFileBytes(path, decoded.Path())) {
    case TFileComparison::Same: return TCheckOutcome::Identical;
    case TFileComparison::Different: return TCheckOutcome::FileChanged;
    case TFileComparison::Missing: break;
    }
    return TCheckOutcome::FileMissing;
}

TCutOutcome CutDetached(THostApi& host, TMailItem& mail, const std::vector<const TAttachment*>& attachments,
                        const std::vector<std::string>& paths, const TRemovalNote& note, TCodePage codePage)
{
    std::vector<std::string> names;
    for (const TAttachment* attachment : attachments) names.push_back(attachment->FileName);
    switch (RemoveParts(host, mail, attachments, QuotedNameList(names, codePage), note)) {
    case TRemoval::Rewritten: break;
    case TRemoval::Untouched: return TCutOutcome::MailChanged;
    case TRemoval::Refused: return TCutOutcome::TooManyParts;
    }
    host.SetCurrentMail(mail.MailID);
    AppendToRecord(host, kDetachedAttachmentHeader, QuotedNameList(paths, codePage));
    return TCutOutcome::Cut;
}

}  // namespace quillbox
