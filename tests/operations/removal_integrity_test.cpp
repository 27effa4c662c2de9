// Removals over many generated mails, round after round: every kept part
// stays byte for byte, the mail still parses, and every remaining attachment
// still decodes to the bytes it decoded to before.
#include <map>
#include <random>

#include "operations/decode_attachment.h"
#include "operations/remove_parts.h"
#include "operations/removed_names.h"
#include "operations/renumber.h"
#include "operations_fixture.h"
#include "removal_integrity.h"

namespace quillbox {
namespace {

using namespace quillbox::testing;

class TMailGenerator {
public:
    explicit TMailGenerator(unsigned seed) : random_(seed) {}

    TTestMail Next()
    {
        TTestMail mail;
        static const char* kBoundaries[] = {"=_b.1+x", "----=_NextPart_000_0012_01D2", "b", "Apple-Mail=_4F$?*(x)"};
        mail.Boundary = kBoundaries[Pick(4)];
        mail.ContentType = Pick(2) ? "Content-Type: multipart/mixed; boundary=\"" + mail.Boundary + "\"\r\n"
                                   : "Content-Type: multipart/mixed;\r\n\tboundary=\"" + mail.Boundary + "\"\r\n";
        if (Pick(3) == 0) mail.HeaderLines = "Subject: no version\r\nX-Mailer: gen\r\n";
        if (Pick(3) == 0) mail.Preamble.clear();
        const int parts = 1 + Pick(5);
        for (int i = 0; i < parts; ++i) mail.Parts.push_back(Part(i));
        if (Pick(4) == 0) mail.Epilogue = "epilogue line\r\n";
        return mail;
    }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    std::string Bytes(int length)
    {
        std::string bytes;
        for (int i = 0; i < length; ++i) bytes += static_cast<char>(Pick(256));
        return bytes;
    }
    TTestPart Part(int i)
    {
        const std::string name = "f" + std::to_string(i) + ".bin";
        switch (Pick(9)) {
        case 0: return TextPart("Hello " + std::to_string(i) + "\r\n\r\nline\r\n");
        case 1: return TextPart("<p>" + std::to_string(i) + "</p>\r\n", "html");
        case 2: return Base64Part(name, Bytes(Pick(300)), Pick(2));
        case 3: return SevenBitPart(name, "lf only\nlines\n");
        case 4: return {"Content-Type: application/x; name=\"" + name +
                            "\"\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\na=3Db=\r\nc\r\n",
                        name, "quoted-printable"};
        case 5: return {"", "", ""};  // two delimiters in a row
        case 6: return {"\r\nno header lines\r\n", "", ""};
        case 7: return {" \t\r\nContent-Type: text/plain\r\n\r\nafter a blank line\r\n", "", ""};
        default: return {"Content-Type: application/x; name=\"" + name + "\"\r\n\r\nno encoding\r\n", name, "Unknown"};
        }
    }

    std::mt19937 random_;
};

class RemovalIntegrityTest : public OperationsTest {
protected:
    // Decoded bytes of every decodable attachment, by file name.
    std::map<std::string, std::string> DecodeAll(TMailItem& mail)
    {
        std::map<std::string, std::string> decoded;
        for (const auto& attachment : mail.Attachments)
            if (DecodeAttachment(host, mail, *attachment, Path("out")))
                decoded[attachment->FileName] = ReadFileBytes(Path("out"));
        return decoded;
    }
};

TEST_F(RemovalIntegrityTest, KeptPartsSurviveEveryRemovalRoundByteForByte)
{
    std::mt19937 random(20261208);
    TMailGenerator generator(7);
    std::string written;
    host.StoreSource = [&](const std::string& source) { return written = source; };
    int rewritten = 0, flattened = 0;
    for (int n = 0; n < 300; ++n) {
        const TTestMail mail = generator.Next();
        const std::string mailId = "box/inbox/?" + std::to_string(n);
        host.Mails[mailId] = mail.Source();
        auto item = mail.Item(mailId);
        auto expected = DecodeAll(*item);
        while (!item->Attachments.empty()) {
            const std::string before = host.Mails[mailId];
            std::vector<const TAttachment*> chosen;
            std::vector<std::vector<int>> removedPaths;
            for (const auto& attachment : item->Attachments) {
                if (random() % 2 && chosen.size() + 1 < item->Attachments.size() + (random() % 3 == 0)) {
                    attachment->Removed = true;
                    chosen.push_back(attachment.get());
                    removedPaths.push_back(PartPath(*attachment));
                    expected.erase(attachment->FileName);
                }
            }
            if (chosen.empty()) continue;
            ASSERT_EQ(RemoveParts(host, *item, chosen, QuotedNameList({"x"})), TRemoval::Rewritten) << before;
            ++rewritten;
            ASSERT_EQ(IntegrityFault(before, written, removedPaths), "") << before << "\n=>\n" << written;
            DropRemovedAttachments(*item);
            if (written.find("--" + mail.Boundary) == std::string::npos) ++flattened;
            EXPECT_EQ(DecodeAll(*item), expected) << written;
        }
    }
    EXPECT_GT(rewritten, 300);
    EXPECT_GT(flattened, 10);
    EXPECT_TRUE(host.TempFilesLeft().empty());
}

}  // namespace
}  // namespace quillbox
