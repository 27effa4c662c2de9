#include "catalogue/mail_scanner.h"

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <string>

#include "catalogue/attachment_names.h"
#include "catalogue/boundary_pattern.h"
#include "catalogue/classic_rules.h"
#include "catalogue/full_rules.h"
#include "mime/mime_tree.h"
#include "mime/part_fields.h"

namespace quillbox {

namespace {

constexpr const char* kClassicBoundary =
    R"(m/content\-type\:\s*(\w+)\/(\w+)\;\s*boundary\s*\=\"*([^\s\"]+)\"*/i)";

// One mail's source and tree while its attachments are recorded.
class TMailReading {
public:
    TMailReading(std::string_view source, TMailItem& mail, TIconSource& icons, TCodePage codePage)
        : source_(source), tree_(source), mail_(mail), icons_(icons), codePage_(codePage)
    {
    }

    const TMimeTree& Tree() const { return tree_; }

    // The classic tests on the top-level parts, the HTML body rule included:
    // the rows they give, by part index.
    std::map<std::size_t, std::unique_ptr<TAttachment>> ClassicRows()
    {
        std::map<std::size_t, std::unique_ptr<TAttachment>> rows;
        if (!tree_.Root().Opened) return rows;
        for (const std::size_t index : tree_.Children(0)) {
            const std::optional<TClassicDecision> decision = ClassifyClassic(source_, tree_[index]);
            if (!decision) continue;
            if (decision->Kind == TClassicKind::Text) {
                ++mail_.PlainCount;
                continue;
            }
            decided_.push_back(index);
            auto row = Row(index, LocalFileName(decision->Name, codePage_));
            if (decision->Kind == TClassicKind::UnnamedHtml ||
                (decision->Kind == TClassicKind::NamedHtml && NamesHtmlBody(row->FileName, mail_.UnixTime))) {
                row->IsHTML = true;
                ++mail_.HtmlCount;
            }
            if (LowerCaseName(row->FileName, codePage_) == "html") row->FileName = "NoName.html";
            rows.emplace(index, std::move(row));
        }
        // Without a text part, the first HTML part is the mail's own body.
        if (mail_.PlainCount == 0 && mail_.HtmlCount > 0) {
            const auto body = std::find_if(rows.begin(), rows.end(), [](const auto& row) { return row.second->IsHTML; });
            if (body != rows.end()) rows.erase(body);
        }
        return rows;
    }

    // Every part in source order: the classic rows as they are (under the
    // name the part declares, when it does), and the leaves the full rules
    // add. A top-level part the classic tests took for the HTML body stays
    // out.
    void AddFullRows(std::map<std::size_t, std::unique_ptr<TAttachment>> classic)
    {
        for (std::size_t index = 0; index < tree_.Size(); ++index) {
            const TMimePart& part = tree_[index];
            const auto row = classic.find(index);
            const bool candidate = part.IsLeaf() && std::find(decided_.begin(), decided_.end(), index) == decided_.end();
            if (row == classic.end() && !candidate) continue;
            std::optional<std::string> name;
            if (const auto declared = DeclaredFileName(source_, part)) name = LocalFileName(*declared, codePage_);
            if (row != classic.end()) {
                if (name) {
                    row->second->FileName = *name;
                    row->second->Icon = IconFor(*name);
                }
                Add(std::move(row->second));
            } else if (IsFullRulesAttachment(source_, part, name, mail_.UnixTime)) {
                Add(Row(index, name ? *name : NameForType(part.Type)));
            }
        }
    }

    void AddClassicRows(std::map<std::size_t, std::unique_ptr<TAttachment>> classic)
    {
        for (auto& [index, row] : classic) Add(std::move(row));
    }

private:
    std::unique_ptr<TAttachment> Row(std::size_t index, std::string fileName)
    {
        const TMimePart& part = tree_[index];
        auto row = std::make_unique<TAttachment>();
        const std::vector<int> path = tree_.PathOf(index);
        row->PartNo = path.empty() ? 0 : path.front();
        if (path.size() > 1) row->NestedPath.assign(path.begin() + 1, path.end());
        row->FileName = std::move(fileName);
        row->Icon = IconFor(row->FileName);
        row->Size = static_cast<std::int32_t>(
            std::min<std::size_t>(tree_.FollowingDash(index) - part.Content.Begin, std::numeric_limits<std::int32_t>::max()));
        row->Encoding = TransferEncoding(source_, part).value_or("Unknown");
        return row;
    }

    const TIconListItem* IconFor(const std::string& fileName)
    {
        return icons_.GetIcon(ExtensionOf(LowerCaseName(fileName, codePage_), codePage_));
    }

    void Add(std::unique_ptr<TAttachment> row) { mail_.Attachments.push_back(std::move(row)); }

    const std::string_view source_;
    const TMimeTree tree_;
    TMailItem& mail_;
    TIconSource& icons_;
    const TCodePage codePage_;
    std::vector<std::size_t> decided_;  // top-level parts the classic tests listed or took for the body
};

}  // namespace

std::int32_t TMailScanner::Scan(TMailItem& mail, TAttachmentRules rules)
{
    mail.Rules = rules;
    if (rules == TAttachmentRules::Classic) {
        const std::optional<std::string> header = host_.GetHeader(mail.MailID);
        if (!header || !classicBoundary_.Match(kClassicBoundary, *header)) return 0;
    }
    const std::optional<TSharedText> source = host_.GetSource(mail.MailID);
    if (!source) return 0;
    TMailReading reading(*source, mail, icons_, codePage_);
    const TMimePart& root = reading.Tree().Root();
    if (root.Opened) {
        mail.Boundary = root.Boundary;
        mail.BoundaryPattern = BoundaryPatternOf(root.Boundary);
    }
    auto classic = reading.ClassicRows();
    if (rules == TAttachmentRules::Classic) reading.AddClassicRows(std::move(classic));
    else reading.AddFullRows(std::move(classic));
    return static_cast<std::int32_t>(mail.Attachments.size());
}

}  // namespace quillbox
