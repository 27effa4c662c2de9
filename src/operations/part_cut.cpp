#include "operations/part_cut.h"

#include <algorithm>

namespace quillbox {

TPartCut PlanCut(const TMimeTree& tree, const std::vector<std::size_t>& parts)
{
    TPartCut cut;
    cut.Erased.assign(tree.Size(), false);
    for (const std::size_t index : parts) cut.Erased.at(index) = true;
    // Children stand after their parent: going backwards, every multipart
    // is judged once all its children are.
    for (std::size_t index = tree.Size(); index-- > 0;) {
        const TMimePart& part = tree[index];
        if (!part.Opened || part.FirstChild == kNoPart || cut.Erased[index]) continue;
        const std::vector<std::size_t> children = tree.Children(index);
        if (!std::all_of(children.begin(), children.end(), [&](std::size_t c) { return cut.Erased[c]; })) continue;
        if (index == 0) cut.RootEmptied = true;
        else cut.Erased[index] = true;
    }
    return cut;
}

std::vector<int> PathAfterCut(const TMimeTree& tree, const TPartCut& cut, std::size_t index)
{
    std::vector<int> path;
    for (std::size_t at = index; tree[at].Parent != kNoPart; at = tree[at].Parent) {
        int erasedBefore = 0;
        for (std::size_t sibling = tree[tree[at].Parent].FirstChild; sibling != at; sibling = tree[sibling].NextSibling)
            if (cut.Erased[sibling]) ++erasedBefore;
        path.push_back(tree[at].Number - erasedBefore);
    }
    std::reverse(path.begin(), path.end());
    return path;
}

namespace {
struct TSpliceRange {
    std::size_t Begin;
    std::size_t End;
    std::string Insert;
};

// The stretches of a multipart's body that go, nested multiparts included,
// in source order.
void CollectRanges(const TMimeTree& tree, const TPartCut& cut, std::size_t multipart, std::vector<TSpliceRange>& ranges)
{
    const TMimePart& parent = tree[multipart];
    for (std::size_t child = parent.FirstChild; child != kNoPart; child = tree[child].NextSibling) {
        const TMimePart& part = tree[child];
        if (!cut.Erased[child]) {
            if (part.Opened) CollectRanges(tree, cut, child, ranges);
            continue;
        }
        if (part.NextSibling != kNoPart) {
            ranges.push_back({part.Delimiter.Dash, tree[part.NextSibling].Delimiter.Dash, {}});
        } else if (parent.Closing) {
            ranges.push_back({part.Delimiter.Dash, parent.Closing->Dash, {}});
        } else {
            // A multipart without its closing delimiter gets one where its
            // last part was, so that the part before keeps the line break
            // (and the size) it had before a delimiter.
            ranges.push_back({part.Delimiter.Dash, part.Content.End, "--" + parent.Boundary + "--\r\n"});
        }
    }
}

// All parts of the mail's multipart make way for the replacement.
TSpliceRange ReplaceAllParts(const TMimeTree& tree, std::string_view source, std::string_view replacement)
{
    const TMimePart& root = tree.Root();
    const std::string delimiter = "--" + root.Boundary;
    TSpliceRange range{tree[root.FirstChild].Delimiter.Dash, 0, delimiter + "\r\n"};
    range.Insert.append(replacement);
    if (root.Closing) {
        range.End = root.Closing->Dash;
    } else {
        range.End = source.size();
        range.Insert += delimiter + "--\r\n";
    }
    return range;
}
}  // namespace

std::string CutSource(std::string_view source, const TMimeTree& tree, const TPartCut& cut,
                      std::string_view replacement)
{
    std::vector<TSpliceRange> ranges;
    if (cut.RootEmptied) ranges.push_back(ReplaceAllParts(tree, source, replacement));
    else if (tree.Root().Opened) CollectRanges(tree, cut, 0, ranges);

    std::size_t size = source.size();
    for (const TSpliceRange& range : ranges) size = size - (range.End - range.Begin) + range.Insert.size();
    std::string result;
    result.reserve(size);
    std::size_t at = 0;
    for (const TSpliceRange& range : ranges) {
        result.append(source.substr(at, range.Begin - at));
        result.append(range.Insert);
        at = range.End;
    }
    result.append(source.substr(at));
    return result;
}

}  // namespace quillbox
