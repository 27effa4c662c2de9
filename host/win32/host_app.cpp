#include "host_app.h"

#include "convert/charset.h"
#include "convert/mime_header.h"
#include "store/mail_message.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace quillbox {
namespace {

THostApp* g_host = nullptr;

void Warn(const std::string& text) { std::fprintf(stderr, "store: warning: %s\n", text.c_str()); }

std::string HostTempFolder()
{
    char path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, path);
    std::string folder = std::string(path) + "tansyhost\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string FormatTime(std::int64_t unixTime)
{
    const std::time_t t = static_cast<std::time_t>(unixTime);
    std::tm tm{};
    gmtime_s(&tm, &t);
    char text[32];
    std::strftime(text, sizeof text, "%Y/%m/%d %H:%M", &tm);
    return text;
}

std::string MailBoxOf(const std::string& folder)
{
    const std::size_t slash = folder.find(kPathSeparator);
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

}  // namespace

THostApp& Host() { return *g_host; }
void SetHost(THostApp* host) { g_host = host; }

THostApp::THostApp(THostOptions options)
    : options_(std::move(options)), store_(options_.dataFolder, GetACP(), Warn), temp_(HostTempFolder())
{
}

const char* THostApp::Keep(std::string text)
{
    // The same text keeps its address, so repeated questions do not pile up copies.
    for (const std::string& kept : kept_)
        if (kept == text) return kept.c_str();
    kept_.push_back(std::move(text));
    return kept_.back().c_str();
}

bool THostApp::SelectMailBox(const std::string& mailBox)
{
    const auto boxes = store_.MailBoxes();
    if (std::find(boxes.begin(), boxes.end(), mailBox) == boxes.end()) return false;
    mailBox_ = mailBox;
    folder_.clear();
    mail_.clear();
    selected_.clear();
    Refresh();
    return true;
}

bool THostApp::SelectFolder(const std::string& folder)
{
    if (!store_.Folder(folder).Exists()) return false;
    mailBox_ = MailBoxOf(folder);
    folder_ = folder;
    mail_.clear();
    selected_.clear();
    Refresh();
    for (const auto& plugin : plugins_.Loaded()) plugin->OnOpenFolder();
    return true;
}

std::vector<std::string> THostApp::MailsOfCurrentFolder()
{
    std::vector<std::string> ids;
    if (folder_.empty()) return ids;
    for (const TIndexEntry& e : store_.Folder(folder_).Entries()) ids.push_back(MakeMailId(folder_, e.key));
    return ids;
}

bool THostApp::SelectMail(const std::string& mailId)
{
    const std::optional<TMailId> id = SplitMailId(mailId);
    if (!id || !store_.Source(mailId)) return false;
    if (id->folder != folder_ && !SelectFolder(id->folder)) return false;
    mail_ = mailId;
    selected_ = {mailId};
    Refresh();
    for (const auto& plugin : plugins_.Loaded()) plugin->OnOpenMail();
    return true;
}

bool THostApp::SetMailSelected(const std::string& mailId, bool selected)
{
    const auto ids = MailsOfCurrentFolder();
    if (std::find(ids.begin(), ids.end(), mailId) == ids.end()) return false;
    if (selected)
        selected_.insert(mailId);
    else
        selected_.erase(mailId);
    FillList();
    return true;
}

std::optional<std::string> THostApp::NextMail(const std::string& mailId, bool selectedOnly)
{
    const auto ids = MailsOfCurrentFolder();
    auto it = mailId.empty() ? ids.begin() : std::find(ids.begin(), ids.end(), mailId);
    if (!mailId.empty() && it != ids.end()) ++it;
    for (; it != ids.end(); ++it)
        if (!selectedOnly || selected_.count(*it)) return *it;
    return std::nullopt;
}

std::optional<std::uint32_t> THostApp::MailFlags(const std::string& mailId)
{
    const std::optional<TMailId> id = SplitMailId(mailId);
    if (!id) return std::nullopt;
    for (const TIndexEntry& e : store_.Folder(id->folder).Entries())
        if (e.key == id->key) return e.flags;
    return std::nullopt;
}

bool THostApp::ReplaceSource(const std::string& mailId, const std::string& source)
{
    const bool ok = store_.ReplaceSource(mailId, source);
    if (ok) Refresh();
    if (ok && SourceReplaced) SourceReplaced(mailId);
    return ok;
}

bool THostApp::AppendMessage(const std::string& folder, const std::string& source)
{
    const bool ok = store_.Folder(folder).Append(WithCrLf(source)).has_value();
    if (ok && folder == folder_) Refresh();
    return ok;
}

void THostApp::SetStatusText(int panel, const std::string& text)
{
    if (windows_.status) SendMessageA(windows_.status, SB_SETTEXTA, panel, reinterpret_cast<LPARAM>(text.c_str()));
}

bool THostApp::OnUiThread(const std::function<void()>& f, DWORD timeoutMs)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(windows_.main, kMsgRunOnUi, 0, reinterpret_cast<LPARAM>(&f), SMTO_NORMAL, timeoutMs,
                               &result) != 0;
}

void THostApp::Refresh()
{
    FillTree();
    FillList();
    ShowPreview();
}

void THostApp::FillTree()
{
    HWND tree = windows_.tree;
    if (!tree) return;
    TreeView_DeleteAllItems(tree);
    treeFolders_.clear();
    for (const std::string& box : store_.MailBoxes()) {
        treeFolders_.push_back(box);
        std::string boxName = TMailStore::DisplayName(box);
        TVINSERTSTRUCTA item{};
        item.hParent = TVI_ROOT;
        item.hInsertAfter = TVI_LAST;
        item.item.mask = TVIF_TEXT | TVIF_PARAM;
        item.item.pszText = boxName.data();
        item.item.lParam = static_cast<LPARAM>(treeFolders_.size() - 1);
        HTREEITEM boxItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        for (const std::string& folder : store_.Folders(box)) {
            treeFolders_.push_back(folder);
            std::string name = TMailStore::DisplayName(folder);
            item.hParent = boxItem;
            item.item.pszText = name.data();
            item.item.lParam = static_cast<LPARAM>(treeFolders_.size() - 1);
            HTREEITEM folderItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
            if (folder == folder_) {
                TreeView_Expand(tree, boxItem, TVE_EXPAND);
                // Marks the folder without a selection notice of our own making.
                TreeView_SetItemState(tree, folderItem, TVIS_SELECTED | TVIS_BOLD, TVIS_SELECTED | TVIS_BOLD);
            }
        }
        TreeView_Expand(tree, boxItem, TVE_EXPAND);
    }
}

void THostApp::FillList()
{
    HWND list = windows_.list;
    if (!list) return;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    if (!folder_.empty()) {
        int row = 0;
        for (const TIndexEntry& e : store_.Folder(folder_).Entries()) {
            const std::string id = MakeMailId(folder_, e.key);
            std::string subject = e.subject.empty() ? "(no subject)" : e.subject;
            LVITEMA item{};
            item.mask = LVIF_TEXT | LVIF_STATE;
            item.iItem = row;
            item.pszText = subject.data();
            if (selected_.count(id)) item.state = item.stateMask = LVIS_SELECTED;
            if (id == mail_) item.state |= LVIS_FOCUSED, item.stateMask |= LVIS_FOCUSED;
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            std::string from = e.from;
            std::string date = FormatTime(e.time);
            std::string mark = (e.flags & kFlagHasAttachments) ? "@" : "";
            const std::string* columns[] = {&from, &date, &mark};
            for (int c = 0; c < 3; ++c) {
                LVITEMA sub{};
                sub.iSubItem = c + 1;
                sub.pszText = const_cast<char*>(columns[c]->c_str());
                SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub));
            }
            if (id == mail_) ListView_EnsureVisible(list, row, FALSE);
            ++row;
        }
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    char text[128];
    std::snprintf(text, sizeof text, "%d mail(s)", ListView_GetItemCount(list));
    SetStatusText(1, text);
}

void THostApp::ShowPreview()
{
    if (!windows_.preview) return;
    std::string text;
    if (const std::optional<TSharedText> source = mail_.empty() ? std::nullopt : store_.Source(mail_)) {
        const unsigned cp = GetACP();
        const std::string_view header = HeaderBlock(*source);
        text = DecodeMimeHeader(header, cp);
        std::string body(source->View().substr(header.size()));
        if (body.size() > 16000) body.resize(16000);
        if (body.find("\x1B$B") != std::string::npos) body = CharsetToLocal("iso-2022-jp", body, cp).value_or(body);
        text += body;
    }
    SetWindowTextA(windows_.preview, WithCrLf(text).c_str());
}

}  // namespace quillbox
