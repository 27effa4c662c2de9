// Builds small catalogues for the listing tests: mails with attachments whose
// icon cache entries come from a cache that knows pictures only for some
// extensions.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "catalogue/icons/icon_list.h"
#include "catalogue/mail_list.h"

namespace quillbox::testing {

struct TestIcon : TIconImage {};

class PictureSource {
public:
    explicit PictureSource(std::vector<std::string> known) : known_(std::move(known)) {}
    std::unique_ptr<TIconImage> operator()(std::string_view ext) const
    {
        for (const auto& k : known_) {
            if (k == ext) return std::make_unique<TestIcon>();
        }
        return nullptr;
    }

private:
    std::vector<std::string> known_;
};

struct AttachmentSpec {
    std::string FileName;
    std::int32_t Size = 100;
    bool IsHTML = false;
    bool Marked = false;
};

class CatalogueBuilder {
public:
    CatalogueBuilder()
        : icons(PictureSource(std::vector<std::string>{"pdf", "txt"}), TCodePage(932))
    {
    }

    // Mails may be added in any order; the list keeps them by date.
    TMailItem& AddMail(double date, std::string subject, std::vector<AttachmentSpec> parts)
    {
        auto mail = std::make_unique<TMailItem>();
        mail->Date = date;
        mail->Subject = std::move(subject);
        mail->From = "from " + mail->Subject;
        mail->MailID = "folder\\?" + mail->Subject;
        std::int32_t partNo = 1;
        for (const auto& part : parts) {
            auto attachment = std::make_unique<TAttachment>();
            attachment->PartNo = partNo++;
            attachment->FileName = part.FileName;
            attachment->Size = part.Size;
            attachment->IsHTML = part.IsHTML;
            attachment->Marked = part.Marked;
            attachment->Visible = true;
            const auto dot = part.FileName.rfind('.');
            attachment->Icon = icons.GetIcon(dot == std::string::npos ? "" : part.FileName.substr(dot));
            mail->Attachments.push_back(std::move(attachment));
        }
        TMailItem& added = *mail;
        std::vector<std::unique_ptr<TMailItem>> batch;
        batch.push_back(std::move(mail));
        mails.AddInDateOrder(std::move(batch));
        return added;
    }

    TIconList icons;
    TMailList mails;
};

}  // namespace quillbox::testing
