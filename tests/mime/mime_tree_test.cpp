#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "mime/mime_tree.h"
#include "mime/part_fields.h"

namespace quillbox {
namespace {

// "type/subtype@path" for every part in tree order, e.g. "multipart/mixed@0".
std::vector<std::string> Outline(const std::string& source)
{
    const TMimeTree tree(source);
    std::vector<std::string> outline;
    for (std::size_t i = 0; i < tree.Size(); ++i)
        outline.push_back(tree[i].Type.Text() + "@" + PartPathText(tree.PathOf(i)));
    return outline;
}

std::string BodyAt(const std::string& source, const std::vector<int>& path)
{
    const TMimeTree tree(source);
    const auto index = tree.Find(path);
    return index ? std::string(tree[*index].Body.In(source)) : "(none)";
}

using TOutline = std::vector<std::string>;

const std::string kNested =
    "Content-Type: multipart/mixed; boundary=BB\r\n\r\n"
    "preamble\r\n"
    "--BB\r\n"
    "Content-Type: multipart/alternative; boundary=BB_alt\r\n\r\n"
    "--BB_alt\r\nContent-Type: text/plain\r\n\r\nplain\r\n"
    "--BB_alt\r\nContent-Type: text/html\r\n\r\n<p>html</p>\r\n"
    "--BB_alt--\r\n"
    "--BB\r\n"
    "Content-Type: message/rfc822\r\n\r\n"
    "Content-Type: multipart/mixed; boundary=inner\r\n\r\n--inner\r\nContent-Type: image/png\r\n\r\nPNG\r\n--inner--\r\n"
    "--BB\r\n"
    "Content-Type: application/pdf; name=\"a.pdf\"\r\n\r\nJVBERi0=\r\n"
    "--BB--\r\n"
    "epilogue\r\n";

TEST(MimeTree, NestedPartsLongerBoundaryAndMessageLeaf)
{
    // The inner boundary starts with the outer one: its lines do not cut
    // the outer multipart, and the forwarded mail stays one leaf.
    EXPECT_EQ(Outline(kNested), (TOutline{"multipart/mixed@0", "multipart/alternative@1", "text/plain@1.1",
                                          "text/html@1.2", "message/rfc822@2", "application/pdf@3"}));
    EXPECT_EQ(BodyAt(kNested, {1, 2}), "<p>html</p>");
    EXPECT_EQ(BodyAt(kNested, {3}), "JVBERi0=");
    EXPECT_EQ(BodyAt(kNested, {9}), "(none)");
    EXPECT_EQ(BodyAt(kNested, {3, 1}), "(none)");

    const TMimeTree tree(kNested);
    const TMimePart& root = tree.Root();
    EXPECT_EQ(root.Boundary, "BB");
    EXPECT_EQ(root.Preamble.In(kNested), "preamble");
    EXPECT_EQ(root.Epilogue.In(kNested), "epilogue\r\n");
    ASSERT_TRUE(root.Closing);
    EXPECT_EQ(kNested.substr(root.Closing->Begin, root.Closing->End - root.Closing->Begin), "\r\n--BB--\r\n");
    EXPECT_EQ(tree.Children(0).size(), 3u);
    EXPECT_EQ(tree.Leaves().size(), 4u);
    const std::size_t pdf = *tree.Find({3});
    EXPECT_EQ(DeclaredFileName(kNested, tree[pdf])->Runs().front().Bytes, "a.pdf");
    EXPECT_EQ(kNested.substr(tree[pdf].Delimiter.Begin, tree[pdf].Content.End - tree[pdf].Delimiter.Begin),
              "\r\n--BB\r\nContent-Type: application/pdf; name=\"a.pdf\"\r\n\r\nJVBERi0=");
}

TEST(MimeTree, AnyLineEndReadsTheSame)
{
    std::string lf = kNested, cr = kNested;
    for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.replace(at, 2, "\n");
    for (std::size_t at; (at = cr.find("\r\n")) != std::string::npos;) cr.replace(at, 2, "\r");
    EXPECT_EQ(Outline(lf), Outline(kNested));
    EXPECT_EQ(Outline(cr), Outline(kNested));
    EXPECT_EQ(BodyAt(lf, {1, 1}), "plain");
    EXPECT_EQ(BodyAt(cr, {1, 2}), "<p>html</p>");
}

TEST(MimeTree, MailsCutShort)
{
    // No closing delimiter: the last part runs to the end of the source.
    const std::string cut = kNested.substr(0, kNested.find("JVBERi0=") + 4);
    EXPECT_EQ(BodyAt(cut, {3}), "JVBE");
    EXPECT_FALSE(TMimeTree(cut).Root().Closing);
    // A nested multipart without its closing delimiter ends where the outer
    // one goes on.
    const std::string open = "Content-Type: multipart/mixed; boundary=O\r\n\r\n--O\r\n"
                             "Content-Type: multipart/alternative; boundary=I\r\n\r\n--I\r\n\r\nt\r\n"
                             "--O\r\nContent-Type: application/pdf\r\n\r\nPDF\r\n";
    EXPECT_EQ(Outline(open), (TOutline{"multipart/mixed@0", "multipart/alternative@1", "text/plain@1.1",
                                       "application/pdf@2"}));
    EXPECT_EQ(BodyAt(open, {1, 1}), "t");
    EXPECT_EQ(BodyAt(open, {2}), "PDF\r\n");
    // Cut inside a header, inside a delimiter line, before any part.
    EXPECT_EQ(Outline("Content-Type: multipart/mixed; boundary=O\r\n\r\n--O\r\nContent-Ty"),
              (TOutline{"multipart/mixed@0", "text/plain@1"}));
    EXPECT_EQ(Outline("Content-Type: multipart/mixed; boundary=O\r\n\r\n--"), (TOutline{"multipart/mixed@0"}));
    EXPECT_EQ(Outline("Content-Type: multipart/mixed; bound"), (TOutline{"multipart/mixed@0"}));
    EXPECT_EQ(Outline(""), (TOutline{"text/plain@0"}));
}

TEST(MimeTree, PartsWithoutHeaderLinesDigestsAndOddMultiparts)
{
    const std::string source = "Content-Type: multipart/digest; boundary=D\r\n\r\n"
                               "--D\r\n\r\nContent-Type: application/pdf; name=\"fake.pdf\"\r\n\r\nx\r\n"
                               "--D\r\nContent-Type: text/plain\r\n\r\nt\r\n--D--";
    // The first part starts with its empty line: no header, so the line
    // that looks like one is body text; its type is the digest's default.
    EXPECT_EQ(Outline(source), (TOutline{"multipart/digest@0", "message/rfc822@1", "text/plain@2"}));
    const TMimeTree tree(source);
    EXPECT_TRUE(tree[1].Header.Empty());
    EXPECT_FALSE(tree[1].ContentType);
    EXPECT_EQ(BodyAt(source, {1}), "Content-Type: application/pdf; name=\"fake.pdf\"\r\n\r\nx");

    // A closing delimiter before any part, no delimiter at all, no boundary.
    EXPECT_EQ(Outline("Content-Type: multipart/mixed; boundary=B\r\n\r\n--B--\r\n--B\r\n\r\nx"),
              (TOutline{"multipart/mixed@0"}));
    const std::string none = "Content-Type: multipart/mixed; boundary=B\r\n\r\nno parts\r\n";
    EXPECT_EQ(TMimeTree(none).Root().Preamble.In(none), "no parts\r\n");
    EXPECT_FALSE(TMimeTree("Content-Type: multipart/mixed\r\n\r\n--\r\n").Root().Opened);
    EXPECT_FALSE(TMimeTree("Content-Type: multipart/mixed; boundary=\"\"\r\n\r\n--\r\n").Root().Opened);
    // Boundaries in RFC 2231 form and with trailing blanks in quotes.
    EXPECT_EQ(Outline("Content-Type: multipart/mixed; boundary*=''b%31\r\n\r\n--b1\r\n\r\nx\r\n--b1--"),
              (TOutline{"multipart/mixed@0", "text/plain@1"}));
    EXPECT_EQ(TMimeTree("Content-Type: multipart/mixed; boundary=\"b \"\r\n\r\n").Root().Boundary, "b");
    // An unreadable type is text/plain.
    EXPECT_EQ(Outline("Content-Type: multipart\r\n\r\n"), (TOutline{"text/plain@0"}));
}

std::string Nest(int levels)
{
    std::string source = "Content-Type: application/pdf; name=\"deep.pdf\"\r\n\r\nPDF\r\n";
    for (int level = levels - 1; level >= 0; --level) {
        const std::string b = "b" + std::to_string(level);
        source = "Content-Type: multipart/mixed; boundary=" + b + "\r\n\r\n--" + b + "\r\n" + source + "\r\n--" + b +
                 "--\r\n";
    }
    return source;
}

TEST(MimeTree, NestingStopsAtTheDepthLimit)
{
    const TMimeTree deep(Nest(TMimeTree::kMaxDepth));
    EXPECT_EQ(deep.Size(), static_cast<std::size_t>(TMimeTree::kMaxDepth) + 1);
    EXPECT_EQ(deep[deep.Size() - 1].Type.Text(), "application/pdf");
    EXPECT_EQ(deep[deep.Size() - 1].Depth, TMimeTree::kMaxDepth);

    const TMimeTree deeper(Nest(TMimeTree::kMaxDepth + 1));
    EXPECT_EQ(deeper.Size(), static_cast<std::size_t>(TMimeTree::kMaxDepth) + 1);
    const TMimePart& last = deeper[deeper.Size() - 1];
    EXPECT_TRUE(last.IsMultipart());
    EXPECT_FALSE(last.Opened);
    EXPECT_EQ(deeper.PathOf(deeper.Size() - 1), std::vector<int>(TMimeTree::kMaxDepth, 1));
}

TEST(MimeTree, PartLimitLeavesTheRestInTheEpilogue)
{
    std::string source = "Content-Type: multipart/mixed; boundary=B\r\n\r\n";
    for (std::size_t i = 0; i < TMimeTree::kMaxParts + 5; ++i) source += "--B\r\n\r\nx\r\n";
    source += "--B--\r\n";
    const TMimeTree tree(source);
    EXPECT_TRUE(tree.PartLimitReached());
    EXPECT_EQ(tree.Size(), TMimeTree::kMaxParts);
    EXPECT_FALSE(tree.Root().Closing);
    EXPECT_EQ(tree.Root().Epilogue.End, source.size());
    EXPECT_EQ(tree[tree.Size() - 1].Body.In(source), "x");
}

// The spans of a multipart's body, in order, must be that body.
void ExpectPartition(const std::string& source, const TMimeTree& tree, std::size_t index)
{
    const TMimePart& part = tree[index];
    ASSERT_LE(part.Content.Begin, part.Content.End);
    ASSERT_LE(part.Content.End, source.size());
    EXPECT_EQ(part.Header.Begin, part.Content.Begin);
    EXPECT_LE(part.Header.End, part.Body.Begin);
    EXPECT_EQ(part.Body.End, part.Content.End);
    if (index != 0) {
        EXPECT_LE(part.Delimiter.Begin, part.Delimiter.Dash);
        EXPECT_LE(part.Delimiter.Dash, part.Delimiter.End);
        EXPECT_EQ(part.Delimiter.End, part.Content.Begin);
    }
    if (!part.Opened) return;
    std::size_t at = part.Body.Begin;
    EXPECT_EQ(part.Preamble.Begin, at);
    at = part.Preamble.End;
    for (const std::size_t child : tree.Children(index)) {
        EXPECT_EQ(tree[child].Delimiter.Begin, at);
        at = tree[child].Content.End;
        ExpectPartition(source, tree, child);
    }
    if (part.Closing) {
        EXPECT_EQ(part.Closing->Begin, at);
        at = part.Closing->End;
    }
    EXPECT_EQ(part.Epilogue.Begin, at);
    EXPECT_EQ(part.Epilogue.End, part.Body.End);
}

// A random mail: random nesting, line ends, stray dashes and boundary
// look-alikes, cut short now and then.
std::string RandomMail(std::mt19937& random, int depth = 0)
{
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const char* breaks[] = {"\r\n", "\n", "\r"};
    const std::string nl = breaks[pick(3)];
    if (depth > 3 || pick(3) == 0) {
        std::string leaf = pick(4) == 0 ? "" : "Content-Type: application/octet-stream" + nl;
        leaf += nl + "body -- --b" + std::to_string(depth) + "x" + nl + "--" + nl + "end";
        return leaf;
    }
    const std::string b = "b" + std::to_string(depth);
    std::string mail = "Content-Type: multipart/mixed; boundary=\"" + b + "\"" + nl + nl + "pre" + nl;
    for (int n = pick(4); n >= 0; --n) mail += "--" + b + (pick(5) == 0 ? " " : "") + nl + RandomMail(random, depth + 1) + nl;
    if (pick(3) != 0) mail += "--" + b + "--" + nl + "epi";
    return mail;
}

TEST(MimeTree, SpansAlwaysCutTheSourceIntoItsParts)
{
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string source = RandomMail(random);
        if (round % 4 == 0) source.resize(random() % (source.size() + 1));
        const TMimeTree tree(source);
        EXPECT_EQ(tree.Root().Content.End, source.size());
        ExpectPartition(source, tree, 0);
        if (::testing::Test::HasFailure()) {
            ADD_FAILURE() << "source: " << source;
            return;
        }
    }
}

}  // namespace
}  // namespace quillbox
