#include "mime/mime_tree.h"

#include "mime/header_fields.h"
#include "mime/parameters.h"

namespace quillbox {

namespace {

void ReadHeader(std::string_view source, TMimePart& part)
{
    THeaderFieldReader reader(source, part.Content);
    while (const std::optional<THeaderField> field = reader.Next()) {
        if (!part.ContentType && HasFieldName(source, *field, "content-type")) part.ContentType = field->Value;
        else if (!part.ContentDisposition && HasFieldName(source, *field, "content-disposition"))
            part.ContentDisposition = field->Value;
        else if (!part.ContentTransferEncoding && HasFieldName(source, *field, "content-transfer-encoding"))
            part.ContentTransferEncoding = field->Value;
    }
    part.Header = reader.Header();
    part.Body = {reader.BodyBegin(), part.Content.End};
}

std::string_view TrimTrailingBlanks(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

}  // namespace

TMimeTree::TMimeTree(std::string_view source)
{
    parts_.reserve(8);
    TMimePart& root = parts_.emplace_back();
    root.Content = {0, source.size()};
    ReadPart(0, source);
}

void TMimeTree::ReadPart(std::size_t index, std::string_view source)
{
    TMimePart& part = parts_[index];
    ReadHeader(source, part);
    const bool inDigest = part.Parent != kNoPart && parts_[part.Parent].Type.Is("multipart", "digest");
    part.Type = inDigest ? TMediaType{"message", "rfc822"} : TMediaType{"text", "plain"};
    if (!part.ContentType) return;
    const TParameterList parameters(part.ContentType->In(source));
    if (std::optional<TMediaType> type = ReadMediaType(parameters.Leading())) part.Type = std::move(*type);
    if (!part.IsMultipart() || part.Depth >= kMaxDepth) return;
    const std::optional<TMimeText> boundary = parameters.Text("boundary");
    if (!boundary) return;
    std::string text;
    for (const TMimeTextRun& run : boundary->Runs()) text += run.Bytes;
    part.Boundary = std::string(TrimTrailingBlanks(text));
    if (part.Boundary.empty()) return;
    part.Opened = true;
    SplitMultipart(index, source);
}

void TMimeTree::SplitMultipart(std::size_t index, std::string_view source)
{
    const TMimeSpan body = parts_[index].Body;
    // The boundary is copied: parts_ grows, and parts_[index] moves with it.
    const std::string boundary = parts_[index].Boundary;
    std::optional<TDelimiterLine> delimiter = FindDelimiterLine(source, body.Begin, body.End, boundary);
    parts_[index].Preamble = {body.Begin, delimiter ? delimiter->Begin : body.End};
    parts_[index].Epilogue = {body.End, body.End};
    std::size_t previous = kNoPart;
    while (delimiter && !delimiter->Closing) {
        if (parts_.size() >= kMaxParts) {
            partLimitReached_ = true;
            parts_[index].Epilogue = {delimiter->Begin, body.End};
            return;
        }
        std::optional<TDelimiterLine> next = FindDelimiterLine(source, delimiter->End, body.End, boundary);
        previous = AddChild(index, previous, *delimiter, next ? next->Begin : body.End);
        ReadPart(previous, source);
        delimiter = next;
    }
    if (delimiter) {
        parts_[index].Closing = delimiter;
        parts_[index].Epilogue = {delimiter->End, body.End};
    }
}

std::size_t TMimeTree::AddChild(std::size_t parent, std::size_t previous, const TDelimiterLine& delimiter,
                                std::size_t contentEnd)
{
    const std::size_t child = parts_.size();
    TMimePart& part = parts_.emplace_back();
    part.Parent = parent;
    part.Depth = parts_[parent].Depth + 1;
    part.Delimiter = delimiter;
    part.Content = {delimiter.End, contentEnd};
    if (previous == kNoPart) {
        part.Number = 1;
        parts_[parent].FirstChild = child;
    } else {
        part.Number = parts_[previous].Number + 1;
        parts_[previous].NextSibling = child;
    }
    return child;
}

std::vector<std::size_t> TMimeTree::Leaves() const
{
    std::vector<std::size_t> leaves;
    for (std::size_t i = 0; i < parts_.size(); ++i)
        if (parts_[i].IsLeaf()) leaves.push_back(i);
    return leaves;
}

std::vector<std::size_t> TMimeTree::Children(std::size_t index) const
{
    std::vector<std::size_t> children;
    for (std::size_t child = parts_[index].FirstChild; child != kNoPart; child = parts_[child].NextSibling)
        children.push_back(child);
    return children;
}

std::size_t TMimeTree::FollowingDash(std::size_t index) const
{
    const TMimePart& part = parts_[index];
    if (part.NextSibling != kNoPart) return parts_[part.NextSibling].Delimiter.Dash;
    if (part.Parent != kNoPart && parts_[part.Parent].Closing) return parts_[part.Parent].Closing->Dash;
    return part.Content.End;
}

std::vector<int> TMimeTree::PathOf(std::size_t index) const
{
    std::vector<int> path;
    for (std::size_t at = index; parts_[at].Parent != kNoPart; at = parts_[at].Parent)
        path.insert(path.begin(), parts_[at].Number);
    return path;
}

std::optional<std::size_t> TMimeTree::Find(const std::vector<int>& path) const
{
    std::size_t at = 0;
    for (const int number : path) {
        std::size_t child = parts_[at].FirstChild;
        while (child != kNoPart && parts_[child].Number != number) child = parts_[child].NextSibling;
        if (child == kNoPart) return std::nullopt;
        at = child;
    }
    return at;
}

std::string PartPathText(const std::vector<int>& path)
{
    if (path.empty()) return "0";
    std::string text;
    for (const int number : path) {
        if (!text.empty()) text += '.';
        text += std::to_string(number);
    }
    return text;
}

}  // namespace quillbox
