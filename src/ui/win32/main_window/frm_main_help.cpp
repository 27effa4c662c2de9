// The Help menu: the ReadMe file of the current language and the About box.
#include "ui/win32/main_window/frm_main.h"

#include <shellapi.h>

#include "text/code_page.h"
#include "ui/about/about_texts.h"
#include "ui/win32/about/about_box.h"
#include "ui/win32/message_box.h"

namespace quillbox {

namespace {
bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The folder of the host's program, where the ReadMe's viewer starts.
std::string HostProgramFolder()
{
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string program(path, length);
    const std::size_t separator = TCodePage::Active().FindLastChar(program, '\\');
    return separator == std::string::npos ? std::string() : program.substr(0, separator);
}
}  // namespace

void TfrmMain::mnReadMeClick()
{
    const TReadMeAction action =
        ReadMeAction(context_.PluginFolder, context_.Language.MessageTable, TCodePage::Active(), FileExists);
    if (action.Error) {
        ShowError(*action.Error);
        return;
    }
    // Whatever the system opens text files with; it is not waited for.
    ShellExecuteA(window_, "open", action.Path.c_str(), "", HostProgramFolder().c_str(), SW_SHOWDEFAULT);
}

void TfrmMain::mnOpenReadMeClick()
{
    ShowAbout({context_.Module, window_, context_.Language.LocaleID, context_.PluginVersion});
}

}  // namespace quillbox
