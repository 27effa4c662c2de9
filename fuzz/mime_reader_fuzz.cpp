// Any bytes as a mail through the MIME reader: no crash, no hang, every span
// inside the source, and each multipart's spans cutting its body into its
// parts byte for byte. The names and fields of every part are read too, in
// both code pages the plug-in meets.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "mime/mime_tree.h"
#include "mime/part_fields.h"
#include "text/code_page.h"

namespace {

using namespace quillbox;

[[noreturn]] void Fail(const std::string& what, std::size_t part, const std::string& source)
{
    std::fprintf(stderr, "part %zu: %s\n--- source ---\n", part, what.c_str());
    std::fwrite(source.data(), 1, source.size(), stderr);
    std::fprintf(stderr, "\n");
    std::abort();
}

void Check(bool holds, const char* what, std::size_t part, const std::string& source)
{
    if (!holds) Fail(what, part, source);
}

bool Within(const TMimeSpan& span, const TMimeSpan& outer)
{
    return outer.Begin <= span.Begin && span.Begin <= span.End && span.End <= outer.End;
}

void CheckPart(const TMimeTree& tree, std::size_t index, const std::string& source)
{
    const TMimePart& part = tree[index];
    const TMimeSpan whole{0, source.size()};
    Check(Within(part.Content, whole), "content outside the source", index, source);
    Check(part.Header.Begin == part.Content.Begin && part.Header.End <= part.Body.Begin &&
              Within(part.Body, part.Content) && part.Body.End == part.Content.End,
          "header and body do not make the content", index, source);
    for (const auto& field : {part.ContentType, part.ContentDisposition, part.ContentTransferEncoding})
        Check(!field || Within(*field, part.Header), "a field outside the header", index, source);
    Check(part.Depth <= TMimeTree::kMaxDepth, "deeper than the limit", index, source);
    if (!part.Opened) return;
    std::size_t at = part.Body.Begin;
    Check(part.Preamble.Begin == at, "preamble not at the body's start", index, source);
    at = part.Preamble.End;
    for (const std::size_t child : tree.Children(index)) {
        const TDelimiterLine& delimiter = tree[child].Delimiter;
        Check(delimiter.Begin == at && delimiter.Begin <= delimiter.Dash && delimiter.Dash <= delimiter.End &&
                  delimiter.End == tree[child].Content.Begin,
              "a delimiter line out of place", child, source);
        Check(source.compare(delimiter.Dash, 2 + part.Boundary.size(), "--" + part.Boundary) == 0,
              "a delimiter line without the boundary", child, source);
        at = tree[child].Content.End;
        CheckPart(tree, child, source);
    }
    if (part.Closing) {
        Check(part.Closing->Begin == at && part.Closing->Closing, "closing delimiter out of place", index, source);
        at = part.Closing->End;
    }
    Check(part.Epilogue.Begin == at && part.Epilogue.End == part.Body.End, "epilogue out of place", index, source);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string source(reinterpret_cast<const char*>(data), size);
    const TMimeTree tree(source);
    Check(tree.Size() >= 1 && tree.Size() <= TMimeTree::kMaxParts, "part count", 0, source);
    Check(tree.Root().Content.Begin == 0 && tree.Root().Content.End == source.size(), "root", 0, source);
    CheckPart(tree, 0, source);
    for (std::size_t index = 0; index < tree.Size(); ++index) {
        Check(tree.Find(tree.PathOf(index)) == index, "a path that does not lead back", index, source);
        const TMimePart& part = tree[index];
        TransferEncoding(source, part);
        DispositionType(source, part);
        if (const auto name = DeclaredFileName(source, part)) {
            name->ToLocal(TCodePage(932));
            name->ToLocal(TCodePage(1252));
        }
    }
    return 0;
}
