// Checks a stored mail after a removal: removal_integrity_check BEFORE AFTER [NAME...]
//
// BEFORE and AFTER are the mail's source before and after, as stored; each
// NAME is an attachment (filename="NAME") that left the mail. The record
// fields the removal added to the header are set aside, then the rest must
// be BEFORE without those parts and nothing else changed (IntegrityFault),
// judged on the MIME reader's tree of BEFORE.
// Exit 0 and "intact", or 1 and what is wrong.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "mime/mime_tree.h"
#include "removal_integrity.h"
#include "text/code_page.h"

namespace {

std::string ReadAll(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool StartsField(const std::string& line, const std::string& name)
{
    if (line.size() <= name.size() || line[name.size()] != ':') return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(line[i])) != std::tolower(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

// The source without the record fields, continuation lines included.
std::string WithoutRecords(const std::string& source)
{
    std::string kept;
    bool dropping = false;
    std::size_t start = 0;
    while (start < source.size()) {
        std::size_t end = source.find('\n', start);
        end = end == std::string::npos ? source.size() : end + 1;
        const std::string line = source.substr(start, end - start);
        if (line == "\r\n" || line == "\n") return kept + source.substr(start);
        const bool continuation = line[0] == ' ' || line[0] == '\t';
        if (!continuation)
            dropping = StartsField(line, "X-Removed-Attachment") || StartsField(line, "X-Detached-Attachment");
        if (!dropping) kept += line;
        start = end;
    }
    return kept;
}

// The paths of the leaves whose header names the file (filename="NAME").
std::vector<std::vector<int>> PartsNamed(const std::string& source, const quillbox::TMimeTree& tree,
                                         const std::string& name)
{
    std::vector<std::vector<int>> paths;
    for (std::size_t i = 1; i < tree.Size(); ++i) {
        const std::string_view header = tree[i].Header.In(source);
        if (tree[i].IsLeaf() && header.find("filename=\"" + name + "\"") != std::string_view::npos)
            paths.push_back(tree.PathOf(i));
    }
    return paths;
}

int Check(int argc, char** argv)
{
    using namespace quillbox;
    const std::string before = ReadAll(argv[1]);
    const std::string after = WithoutRecords(ReadAll(argv[2]));

    const TMimeTree tree(before);
    if (!tree.Root().Opened) {
        std::cout << argv[1] << ": not a multipart mail\n";
        return 1;
    }
    std::vector<std::vector<int>> removed;
    for (int i = 3; i < argc; ++i) {
        const auto paths = PartsNamed(before, tree, argv[i]);
        if (paths.empty()) {
            std::cout << argv[1] << ": no part " << argv[i] << "\n";
            return 1;
        }
        removed.insert(removed.end(), paths.begin(), paths.end());
    }
    const std::string fault = testing::IntegrityFault(before, after, removed);
    std::cout << argv[2] << ": " << (fault.empty() ? "intact" : fault) << "\n";
    return fault.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: removal_integrity_check BEFORE AFTER [NAME...]\n";
        return 2;
    }
    quillbox::TCodePage::SetActiveForProcess(932);
    return Check(argc, argv);
}
