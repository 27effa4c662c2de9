#include "ui_probe.h"

#include "menus.h"

namespace quillbox {
namespace {

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChildren(HWND window, LPARAM param)
{
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChildren, reinterpret_cast<LPARAM>(&children));
    return children;
}

std::wstring TextOf(HWND window)
{
    wchar_t text[4096] = {};
    // WM_GETTEXT works across threads for controls of this process.
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

bool Matches(const std::string& text, const std::string& pattern)
{
    if (!pattern.empty() && pattern.back() == '*') return text.rfind(pattern.substr(0, pattern.size() - 1), 0) == 0;
    return text == pattern;
}

}  // namespace

std::vector<HWND> VisibleTopLevelWindows()
{
    std::vector<HWND> windows;
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::string WindowTitle(HWND window) { return Narrow(TextOf(window)); }

std::string ClassOf(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::optional<HWND> FindWindowByTitle(const std::string& pattern)
{
    for (HWND window : VisibleTopLevelWindows())
        if (Matches(WindowTitle(window), pattern)) return window;
    return std::nullopt;
}

std::optional<HWND> FindControl(HWND parent, const std::string& name)
{
    if (name == ".") return parent;
    if (name.rfind("id=", 0) == 0) {
        HWND control = GetDlgItem(parent, std::atoi(name.c_str() + 3));
        return control ? std::optional<HWND>(control) : std::nullopt;
    }
    const std::size_t hash = name.find('#');
    const std::string className = name.substr(0, hash);
    int wanted = hash == std::string::npos ? 1 : std::atoi(name.c_str() + hash + 1);
    for (HWND child : Children(parent))
        if (_stricmp(ClassOf(child).c_str(), className.c_str()) == 0 && --wanted == 0) return child;
    return std::nullopt;
}

std::string DialogText(HWND dialog)
{
    std::string text;
    for (HWND child : Children(dialog)) {
        if (_stricmp(ClassOf(child).c_str(), "Static") != 0 || !IsWindowVisible(child)) continue;
        const std::string line = Narrow(TextOf(child));
        if (line.empty()) continue;
        if (!text.empty()) text += "\n";
        text += line;
    }
    return text;
}

std::optional<HWND> FindButton(HWND dialog, const std::string& caption)
{
    if (caption.rfind("id=", 0) == 0) {
        HWND button = GetDlgItem(dialog, std::atoi(caption.c_str() + 3));
        return button && IsWindowEnabled(button) ? std::optional<HWND>(button) : std::nullopt;
    }
    const std::wstring wanted = PlainCaption(Widen(caption));
    for (HWND child : Children(dialog))
        if (_stricmp(ClassOf(child).c_str(), "Button") == 0 && IsWindowVisible(child) && IsWindowEnabled(child) &&
            PlainCaption(TextOf(child)) == wanted)
            return child;
    return std::nullopt;
}

std::vector<std::string> ButtonCaptions(HWND dialog)
{
    std::vector<std::string> captions;
    for (HWND child : Children(dialog))
        if (_stricmp(ClassOf(child).c_str(), "Button") == 0 && IsWindowVisible(child))
            captions.push_back(Narrow(PlainCaption(TextOf(child))));
    return captions;
}

std::optional<HWND> FindDialog(const std::string& childClass)
{
    for (HWND window : VisibleTopLevelWindows()) {
        if (ClassOf(window) != "#32770") continue;
        if (childClass.empty() || FindControl(window, childClass)) return window;
    }
    return std::nullopt;
}

std::optional<HWND> FindPopupMenu()
{
    for (HWND window : VisibleTopLevelWindows())
        if (ClassOf(window) == "#32768") return window;
    return std::nullopt;
}

}  // namespace quillbox
