// Removals on arbitrary sources, of attachments the full rules list at any
// depth: no crash, and a mail is either left exactly as it was (untouched or
// refused) or keeps its header, preamble, epilogue and every part not
// removed, byte for byte, with the removed ones gone (or becomes its one
// kept part when flattened); the kept attachments are listed again at the
// places the removal gave them.
//
// Input: two bytes choosing the attachments to remove (bit i % 16 for the
// i-th), then the source. With the first byte's high bit set, a multipart
// header with boundary "b" goes in front, so most inputs reach the rewrite.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "memory_mail_host.h"
#include "mime/mime_tree.h"
#include "operations/renumber.h"
#include "operations/remove_parts.h"
#include "operations/removed_names.h"
#include "regex/regex_library.h"
#include "removal_integrity.h"
#include "text/code_page.h"

namespace {

using namespace quillbox;

[[noreturn]] void Fail(const std::string& what, const std::string& before, const std::string& after)
{
    // Sources may hold zero bytes: written whole.
    std::fprintf(stderr, "%s\n--- before ---\n", what.c_str());
    std::fwrite(before.data(), 1, before.size(), stderr);
    std::fprintf(stderr, "\n--- after ---\n");
    std::fwrite(after.data(), 1, after.size(), stderr);
    std::fprintf(stderr, "\n");
    std::abort();
}

bool Setup()
{
    TCodePage::SetActiveForProcess(932);
    return LoadRegexLibrary(QBX_REGEX_LIBRARY_DIR, [](const std::string& m) { std::fprintf(stderr, "%s\n", m.c_str()); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    static const bool loaded = Setup();
    if (!loaded) std::abort();
    if (size < 2) return 0;
    const unsigned mask = data[0] | (data[1] << 8);
    std::string source(reinterpret_cast<const char*>(data + 2), size - 2);
    if (data[0] & 0x80) source = "MIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"b\"\r\n\r\n" + source;

    static testing::TMemoryMailHost host;
    const std::string mailId = "box/inbox/?1";
    host.Mails = {{mailId, source}};
    host.TempFiles.clear();
    std::string written;
    host.StoreSource = [&](const std::string& s) { return written = s; };

    try {
        const auto mail = testing::CatalogueOf(host, mailId);
        std::vector<const TAttachment*> chosen;
        std::vector<std::string> names;
        std::vector<std::vector<int>> removed;
        for (std::size_t i = 0; i < mail->Attachments.size(); ++i) {
            if (!(mask & (1u << (i % 16)))) continue;
            mail->Attachments[i]->Removed = true;
            chosen.push_back(mail->Attachments[i].get());
            names.push_back(mail->Attachments[i]->FileName);
            removed.push_back(PartPath(*mail->Attachments[i]));
        }
        if (chosen.empty()) return 0;
        if (RemoveParts(host, *mail, chosen, QuotedNameList(names)) != TRemoval::Rewritten) {
            if (host.Mails[mailId] != source) Fail("an untouched mail changed", source, host.Mails[mailId]);
            return 0;
        }
        const std::string fault = testing::IntegrityFault(source, written, removed);
        if (!fault.empty()) Fail(fault, source, written);
        // A mail flattened to its one part is read by the rules for single
        // parts, which may list that part (an odd text type): nothing to compare.
        if (!TMimeTree(written).Root().Opened) return 0;
        DropRemovedAttachments(*mail);
        // The source as written: the test host puts the record at the first
        // empty line it finds, which in a mangled header may be in a part.
        host.Mails[mailId] = written;
        const auto rescanned = testing::CatalogueOf(host, mailId);
        // HTML rows depend on the text parts beside them, which may go.
        const auto places = [](const TMailItem& item) {
            std::string text;
            for (const auto& a : item.Attachments)
                if (!a->IsHTML) text += " " + PartPathText(*a) + "/" + std::to_string(a->Size);
            return text;
        };
        if (places(*rescanned) != places(*mail))
            Fail("the kept attachments are listed at" + places(*rescanned) + ", the catalogue has them at" +
                     places(*mail),
                 source, written);
    } catch (const EBRegExpError&) {
        // A pattern the engine gives up on (its match budget) ends the command, mail untouched.
        if (!written.empty()) Fail("an error after the mail was written", source, written);
    }
    return 0;
}
