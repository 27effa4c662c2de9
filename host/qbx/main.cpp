// qbx: the reference host's store from the command line.
//
//   qbx import FOLDER-DIR FILE...   add .eml files and mbox messages to a folder
//   qbx source DATA-DIR MAIL-ID     write a stored mail's source to standard output
//   qbx scan DATA-DIR FOLDER-ID [--progress] [--rules classic|full]
//                                   list a folder's attachments as the plug-in finds them
//   qbx rows DATA-DIR FOLDER-ID [--rules classic|full]
//                                   the grid's rows: ROW, MailID, PartNo, FileName
//   qbx save DATA-DIR FOLDER-ID ROW DEST [--rules classic|full]
//                                   decode the attachment of a grid row into DEST
//   qbx remove DATA-DIR FOLDER-ID ROW... [--rules classic|full] [--language ja|en]
//                                   cut the attachments of grid rows out of their mails
// Rows count from 1 as the grid shows them by default: all attachments, newest mail first,
// found by the full rules unless --rules classic says otherwise.
#include "operation_commands.h"
#include "scan_command.h"
#include "store/importer.h"
#include "store/mail_store.h"
#include "text/code_page.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace quillbox {
namespace {

void Warn(const std::string& text) { std::cerr << "qbx: warning: " << text << "\n"; }

int Usage()
{
    std::cerr << "usage: qbx import FOLDER-DIR FILE...\n"
                 "       qbx source DATA-DIR MAIL-ID\n"
                 "       qbx scan DATA-DIR FOLDER-ID [--progress] [--rules classic|full]\n"
                 "       qbx rows DATA-DIR FOLDER-ID [--rules classic|full]\n"
                 "       qbx save DATA-DIR FOLDER-ID ROW DEST [--rules classic|full]\n"
                 "       qbx remove DATA-DIR FOLDER-ID ROW... [--rules classic|full] [--language ja|en]\n";
    return 2;
}

std::string WithSeparator(std::string dir)
{
    if (dir.empty() || dir.back() != kPathSeparator) dir += kPathSeparator;
    return dir;
}

int Import(const std::vector<std::string>& args)
{
    if (args.size() < 2) return Usage();
    const std::string directory = WithSeparator(args[0]);
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    TMailFolder folder(directory, TCodePage::Active().Id(), Warn);
    int failures = 0;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const int stored = ImportFile(folder, args[i]);
        if (stored < 0) {
            std::cerr << "qbx: cannot read " << args[i] << "\n";
            ++failures;
        } else {
            std::cout << args[i] << ": " << stored << " mail(s)\n";
        }
    }
    return failures == 0 ? 0 : 1;
}

int Source(const std::vector<std::string>& args)
{
    if (args.size() != 2) return Usage();
    TMailStore store(args[0], TCodePage::Active().Id(), Warn);
    const std::optional<TSharedText> source = store.Source(args[1]);
    if (!source) {
        std::cerr << "qbx: no mail " << args[1] << "\n";
        return 1;
    }
    std::fwrite(source->data(), 1, source->size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace
}  // namespace quillbox

int main(int argc, char** argv)
{
    if (argc < 2) return quillbox::Usage();
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "import") return quillbox::Import(args);
    if (command == "source") return quillbox::Source(args);
    if (command == "scan") return quillbox::ScanCommand(args);
    if (command == "rows") return quillbox::RowsCommand(args);
    if (command == "save") return quillbox::SaveCommand(args);
    if (command == "remove") return quillbox::RemoveCommand(args);
    return quillbox::Usage();
}
