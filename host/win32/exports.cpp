// The 54 host functions plug-ins resolve from this executable. The export
// table itself is generated from the same list (see CMakeLists.txt).
#include "host_app.h"

#include "convert/charset.h"
#include "convert/japanese.h"
#include "convert/local_text.h"
#include "convert/mime_header.h"
#include "convert/transfer_encoding.h"
#include "store/mail_message.h"

#include <cstring>
#include <type_traits>

#define QBX_DECLARE_HOST_FUNCTION(name, result, params) extern "C" result WINAPI name params;
TANSY_API_FUNCTIONS(QBX_DECLARE_HOST_FUNCTION)
#undef QBX_DECLARE_HOST_FUNCTION

// Each definition below must have exactly the listed signature.
#define QBX_CHECK_HOST_FUNCTION(name, result, params) \
    static_assert(std::is_same_v<decltype(&name), name##_t>, #name " does not match its declaration");
TANSY_API_FUNCTIONS(QBX_CHECK_HOST_FUNCTION)
#undef QBX_CHECK_HOST_FUNCTION

using quillbox::Host;

namespace {

char* Release(std::string_view text, const char* origin) { return Host().Ledger().Release(text, origin); }

std::optional<quillbox::TSharedText> SourceOf(const char* mailId)
{
    return Host().Store().Source(Host().ResolveMail(mailId));
}
std::optional<std::string_view> HeaderOf(const char* mailId)
{
    return Host().Store().ReadHeader(Host().ResolveMail(mailId));
}

unsigned LocalCodePage() { return GetACP(); }

std::string LocalToShiftJis(const std::string& text)
{
    const unsigned cp = LocalCodePage();
    return cp == 932 ? text : quillbox::UnicodeToLocal(quillbox::LocalToUnicode(text, cp), 932);
}

// A header's value as text of the local code page.
std::string DecodedValue(const std::string& raw)
{
    std::string value = quillbox::DecodeMimeHeader(raw, LocalCodePage());
    if (value.find("\x1B") != std::string::npos)
        value = quillbox::CharsetToLocal("iso-2022-jp", value, LocalCodePage()).value_or(value);
    return value;
}

// Mode 0: text in the charset to the local code page; 1: local text to the charset.
LPSTR ConvertJapanese(LPCSTR text, BOOL encode, const char* charset, std::string (*fromShiftJis)(std::string_view),
                      const char* origin)
{
    if (!text) return nullptr;
    return Release(encode ? fromShiftJis(LocalToShiftJis(text))
                          : quillbox::CharsetToLocal(charset, text, LocalCodePage()).value_or(""),
                   origin);
}

std::string_view BodyOf(std::string_view source)
{
    std::size_t start = quillbox::HeaderBlock(source).size();
    if (source.substr(start, 2) == "\r\n") start += 2;
    else if (source.substr(start, 1) == "\n") start += 1;
    return source.substr(std::min(start, source.size()));
}

}  // namespace

extern "C" {

int WINAPI TSA_GetVersion(void) { return 200; }

BOOL WINAPI TSA_Command(int commandId)
{
    return PostMessageA(Host().Windows().main, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

BOOL WINAPI TSA_GetWindowHandles(HWND* main, HWND* tree, HWND* list, HWND* view)
{
    const quillbox::THostWindows& w = Host().Windows();
    if (!w.main) return FALSE;
    if (main) *main = w.main;
    if (tree) *tree = w.tree;
    if (list) *list = w.list;
    if (view) *view = w.preview;
    return TRUE;
}

int WINAPI TSA_RegisterCommand(LPCSTR description, int kind, TSA_CommandCallback callback)
{
    return Host().Commands().Register(description, kind, callback);
}

BOOL WINAPI TSA_RegisterUICallback(int commandId, TSA_UICallback callback)
{
    return Host().Commands().SetEnabling(commandId, callback);
}

LPCSTR WINAPI TSA_GetDataFolder(void)
{
    // A plug-in builds the index path from this and reads the index next.
    Host().Store().SyncIndexFiles(Host().CurrentFolder());
    return Host().DataFolder().c_str();
}
LPCSTR WINAPI TSA_GetTempFolder(void) { return Host().Keep(Host().TempFolder()); }

LPCSTR WINAPI TSA_GetTempFileName(LPCSTR extension)
{
    return Host().NextTempFileName(extension ? extension : "");
}

LPCSTR WINAPI TSA_GetCurrentMailBox(void) { return Host().CurrentMailBox().c_str(); }
BOOL WINAPI TSA_SetCurrentMailBox(LPCSTR mailBox) { return mailBox && Host().SelectMailBox(mailBox); }
LPCSTR WINAPI TSA_GetCurrentFolder(void) { return Host().CurrentFolder().c_str(); }
BOOL WINAPI TSA_SetCurrentFolder(LPCSTR folder) { return folder && Host().SelectFolder(folder); }

LPCSTR WINAPI TSA_GetFolderDisplayName(LPCSTR folder)
{
    return Host().Keep(quillbox::TMailStore::DisplayName(folder ? folder : ""));
}

BOOL WINAPI TSA_SetMessageText(LPCSTR text)
{
    Host().SetStatusText(0, text ? text : "");
    return TRUE;
}

LPCSTR WINAPI TSA_GetCurrentMail(void) { return Host().CurrentMail().c_str(); }
BOOL WINAPI TSA_SetCurrentMail(LPCSTR mailId) { return mailId && Host().SelectMail(mailId); }

LPCSTR WINAPI TSA_GetNextMail(LPCSTR mailId, BOOL selectedOnly)
{
    const std::optional<std::string> next = Host().NextMail(mailId ? mailId : "", selectedOnly != FALSE);
    return next ? Host().Keep(*next) : nullptr;
}

BOOL WINAPI TSA_SetSel(LPCSTR mailId, BOOL select) { return mailId && Host().SetMailSelected(mailId, select != FALSE); }

BOOL WINAPI TSA_AppendMessage(LPCSTR folder, LPCSTR source)
{
    return folder && source && Host().AppendMessage(folder, source);
}

BOOL WINAPI TSA_MoveSelectedMessages(LPCSTR, BOOL) { return FALSE; }

int WINAPI TSA_GetStatus(LPCSTR mailId)
{
    return static_cast<int>(Host().MailFlags(Host().ResolveMail(mailId)).value_or(0));
}

HWND WINAPI TSA_ComposeMail(LPCSTR) { return nullptr; }

LPSTR WINAPI TSA_GetCharSet(LPCSTR mailId)
{
    const std::optional<std::string_view> header = HeaderOf(mailId);
    if (!header) return nullptr;
    std::string type = quillbox::HeaderValue(*header, "Content-Type").value_or("");
    const std::size_t at = type.find("charset=");
    std::string charset = at == std::string::npos ? "US-ASCII" : type.substr(at + 8);
    charset = charset.substr(charset[0] == '"' ? 1 : 0);
    return Release(charset.substr(0, charset.find_first_of("\"; ")), "TSA_GetCharSet");
}

LPSTR WINAPI TSA_GetSource(LPCSTR mailId)
{
    const std::optional<quillbox::TSharedText> source = SourceOf(mailId);
    return source ? Release(*source, "TSA_GetSource") : nullptr;
}

BOOL WINAPI TSA_SetSource(LPCSTR mailId, LPCSTR source)
{
    const std::string id = Host().ResolveMail(mailId);
    return source && !id.empty() && Host().ReplaceSource(id, source);
}

LPSTR WINAPI TSA_GetHeader(LPCSTR mailId)
{
    const std::optional<std::string_view> header = HeaderOf(mailId);
    return header ? Release(std::string(*header), "TSA_GetHeader") : nullptr;
}

LPSTR WINAPI TSA_GetText(LPCSTR mailId)
{
    const std::optional<quillbox::TSharedText> source = SourceOf(mailId);
    return source ? Release(BodyOf(*source), "TSA_GetText") : nullptr;
}

BOOL WINAPI TSA_SetText(LPCSTR mailId, LPCSTR text)
{
    const std::string id = Host().ResolveMail(mailId);
    const std::optional<quillbox::TSharedText> source = Host().Store().Source(id);
    if (!source || !text) return FALSE;
    std::string header(quillbox::HeaderBlock(*source));
    return Host().ReplaceSource(id, header + "\r\n" + text);
}

int WINAPI TSA_GetSpecifiedHeader(LPCSTR name, LPSTR buffer, int size)
{
    const std::optional<std::string_view> header = HeaderOf(nullptr);
    const std::string value =
        header && name ? DecodedValue(quillbox::HeaderValue(*header, name).value_or("")) : std::string();
    if (buffer && size > 0) {
        const std::size_t n = std::min(value.size(), static_cast<std::size_t>(size - 1));
        std::memcpy(buffer, value.data(), n);
        buffer[n] = '\0';
    }
    return static_cast<int>(value.size());
}

BOOL WINAPI TSA_SetSpecifiedHeader(LPCSTR name, LPCSTR value)
{
    const std::string id = Host().CurrentMail();
    const std::optional<quillbox::TSharedText> source = Host().Store().Source(id);
    if (!source || !name || !*name || !value) return FALSE;
    return Host().ReplaceSource(id, quillbox::WithHeader(*source, name, value));
}

LPSTR WINAPI TSA_CompGetCharSet(HWND) { return nullptr; }
LPSTR WINAPI TSA_CompGetSource(HWND) { return nullptr; }
BOOL WINAPI TSA_CompSetSource(HWND, LPCSTR) { return FALSE; }
LPSTR WINAPI TSA_CompGetHeader(HWND) { return nullptr; }

int WINAPI TSA_CompGetSpecifiedHeader(HWND, LPCSTR, LPSTR buffer, int size)
{
    if (buffer && size > 0) buffer[0] = '\0';
    return 0;
}

BOOL WINAPI TSA_CompSetSpecifiedHeader(HWND, LPCSTR, LPCSTR) { return FALSE; }
LPSTR WINAPI TSA_CompGetText(HWND) { return nullptr; }
BOOL WINAPI TSA_CompSetText(HWND, LPCSTR) { return FALSE; }
BOOL WINAPI TSA_CompAttachFile(HWND, LPCSTR, LPCSTR) { return FALSE; }

LPVOID WINAPI TSA_Alloc(int size)
{
    return size < 0 ? nullptr : Host().Ledger().Alloc(static_cast<std::size_t>(size), "TSA_Alloc");
}

LPVOID WINAPI TSA_ReAlloc(LPVOID block, int size)
{
    return size < 0 ? nullptr : Host().Ledger().ReAlloc(block, static_cast<std::size_t>(size));
}

void WINAPI TSA_Free(LPVOID block) { Host().Ledger().Free(block); }

LPSTR WINAPI TSA_ISO_2022_JP(LPCSTR text, BOOL encode)
{
    return ConvertJapanese(text, encode, "iso-2022-jp", quillbox::ShiftJisToIso2022Jp, "TSA_ISO_2022_JP");
}

LPSTR WINAPI TSA_ISO_2022_KR(LPCSTR, BOOL) { return nullptr; }
LPSTR WINAPI TSA_HZ_GB2312(LPCSTR, BOOL) { return nullptr; }
LPSTR WINAPI TSA_ISO_8859_2(LPCSTR, BOOL) { return nullptr; }

LPSTR WINAPI TSA_EUC_JP(LPCSTR text, BOOL encode)
{
    return ConvertJapanese(text, encode, "euc-jp", quillbox::ShiftJisToEucJp, "TSA_EUC_JP");
}

LPSTR WINAPI TSA_UTF_7(LPCSTR, BOOL) { return nullptr; }

LPSTR WINAPI TSA_UTF_8(LPCSTR text, BOOL encode)
{
    if (!text) return nullptr;
    const std::string converted = encode ? quillbox::UnicodeToUtf8(quillbox::LocalToUnicode(text, LocalCodePage()))
                                         : quillbox::CharsetToLocal("utf-8", text, LocalCodePage()).value_or("");
    return Release(converted, "TSA_UTF_8");
}

BOOL WINAPI TSA_B64Convert(LPCSTR destination, LPCSTR source, BOOL encode)
{
    if (!destination || !source) return FALSE;
    return quillbox::Base64ConvertFile(destination, source,
                                       encode ? quillbox::TConvertDirection::Encode : quillbox::TConvertDirection::Decode);
}

BOOL WINAPI TSA_QPConvert(LPCSTR destination, LPCSTR source, BOOL encode)
{
    if (!destination || !source) return FALSE;
    return quillbox::QuotedPrintableConvertFile(
        destination, source, encode ? quillbox::TConvertDirection::Encode : quillbox::TConvertDirection::Decode);
}

LPSTR WINAPI TSA_MIMEHeader(LPCSTR header, LPSTR, int, BOOL encode)
{
    if (!header) return nullptr;
    const std::string converted = encode ? quillbox::EncodeMimeHeader(header, LocalCodePage())
                                         : quillbox::DecodeMimeHeader(header, LocalCodePage());
    return Release(converted, "TSA_MIMEHeader");
}

LPSTR WINAPI TSA_SerializeRcpts(LPCSTR recipients)
{
    if (!recipients) return nullptr;
    std::string joined;
    for (const char* p = recipients; *p; ++p) {
        if (*p == '\r') continue;
        if (*p == '\n') {
            if (!joined.empty() && p[1] != '\0') joined += ", ";
        } else {
            joined += *p;
        }
    }
    return Release(joined, "TSA_SerializeRcpts");
}

BOOL WINAPI TSA_Connect(BOOL) { return FALSE; }

}  // extern "C"
