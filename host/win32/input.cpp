#include "input.h"

#include "menus.h"

#include <cstdlib>
#include <map>

namespace quillbox {
namespace {

std::optional<UINT> VirtualKey(const std::string& name)
{
    static const std::map<std::string, UINT> keys = {
        {"ENTER", VK_RETURN}, {"ESC", VK_ESCAPE}, {"TAB", VK_TAB},   {"SPACE", VK_SPACE}, {"BACK", VK_BACK},
        {"DELETE", VK_DELETE}, {"UP", VK_UP},      {"DOWN", VK_DOWN}, {"LEFT", VK_LEFT},   {"RIGHT", VK_RIGHT},
        {"HOME", VK_HOME},    {"END", VK_END},    {"PGUP", VK_PRIOR}, {"PGDN", VK_NEXT},  {"INSERT", VK_INSERT},
        {"APPS", VK_APPS}};
    if (const auto it = keys.find(name); it != keys.end()) return it->second;
    if (name.size() >= 2 && name[0] == 'F' && std::isdigit(static_cast<unsigned char>(name[1]))) {
        const int n = std::atoi(name.c_str() + 1);
        if (n >= 1 && n <= 12) return VK_F1 + n - 1;
    }
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return static_cast<UINT>(std::toupper(static_cast<unsigned char>(name[0])));
    return std::nullopt;
}

LPARAM KeyData(UINT key, bool up)
{
    const UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    return 1 | (scan << 16) | (up ? (3u << 30) : 0);
}

// One key press through the system's input queue, with a modifier held
// (0: none): it goes to whichever control has the focus.
void TypeKey(UINT key, UINT modifier)
{
    INPUT inputs[4] = {};
    UINT count = 0;
    const auto add = [&](UINT vk, bool up) {
        INPUT& input = inputs[count++];
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(vk);
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    };
    if (modifier) add(modifier, false);
    add(key, false);
    add(key, true);
    if (modifier) add(modifier, true);
    SendInput(count, inputs, sizeof(INPUT));
}

// Types through the input queue into a window's thread, which gets the
// foreground; focus says whether a control takes the focus first.
void TypeInto(HWND window, HWND focus, UINT key, UINT modifier)
{
    const DWORD target = GetWindowThreadProcessId(window, nullptr);
    const bool attached = AttachThreadInput(GetCurrentThreadId(), target, TRUE) != 0;
    SetForegroundWindow(GetAncestor(window, GA_ROOT));
    if (focus) SetFocus(focus);
    TypeKey(key, modifier);
    if (attached) AttachThreadInput(GetCurrentThreadId(), target, FALSE);
    // Let the window's thread handle them before anything else is sent.
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
    Sleep(100);
}

void PressKey(HWND control, UINT key, UINT modifier)
{
    // A modifier must be down in the key state the control reads, which
    // posted messages cannot change.
    if (modifier != 0) {
        TypeInto(control, control, key, modifier);
        return;
    }
    PostMessageA(control, WM_KEYDOWN, key, KeyData(key, false));
    PostMessageA(control, WM_KEYUP, key, KeyData(key, true));
}

struct TKeyName {
    UINT Key;
    UINT Modifier;
};

// "{NAME}", "{CTRL+NAME}" ... starting at keys[i]; i moves past it.
std::optional<TKeyName> ReadKeyName(const std::string& keys, std::size_t& i)
{
    const std::size_t close = keys.find('}', i);
    if (close == std::string::npos) return std::nullopt;
    std::string name = keys.substr(i + 1, close - i - 1);
    i = close + 1;
    UINT modifier = 0;
    for (const auto& [prefix, vk] :
         {std::pair<std::string, UINT>{"CTRL+", VK_CONTROL}, {"SHIFT+", VK_SHIFT}, {"ALT+", VK_MENU}})
        if (name.rfind(prefix, 0) == 0) {
            modifier = vk;
            name = name.substr(prefix.size());
        }
    const std::optional<UINT> key = VirtualKey(name);
    if (!key) return std::nullopt;
    return TKeyName{*key, modifier};
}

}  // namespace

bool SendKeys(HWND control, const std::string& keys)
{
    std::size_t i = 0;
    while (i < keys.size()) {
        if (keys[i] == '{') {
            const std::optional<TKeyName> name = ReadKeyName(keys, i);
            if (!name) return false;
            const UINT key = name->Key;
            PressKey(control, key, name->Modifier);
            if (name->Modifier == 0 &&
                (key == VK_RETURN || key == VK_SPACE || key == VK_TAB || key == VK_ESCAPE || key == VK_BACK))
                PostMessageA(control, WM_CHAR, key == VK_RETURN ? '\r' : key == VK_TAB ? '\t' : key == VK_ESCAPE ? 0x1B : key == VK_BACK ? 8 : ' ', 1);
            continue;
        }
        // Plain text: one character message per character (UTF-8 in, UTF-16 out).
        std::size_t next = keys.find('{', i);
        if (next == std::string::npos) next = keys.size();
        for (const wchar_t c : Widen(keys.substr(i, next - i))) PostMessageW(control, WM_CHAR, c, 1);
        i = next;
    }
    return true;
}

bool PressKeys(HWND window, const std::string& keys)
{
    std::size_t i = 0;
    while (i < keys.size()) {
        if (keys[i] != '{') return false;
        const std::optional<TKeyName> name = ReadKeyName(keys, i);
        if (!name) return false;
        TypeInto(window, nullptr, name->Key, name->Modifier);
    }
    return true;
}

void Click(HWND control, int x, int y, TClick kind)
{
    const LPARAM at = MAKELPARAM(x, y);
    switch (kind) {
    case TClick::Left:
        PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(control, WM_LBUTTONUP, 0, at);
        break;
    case TClick::Double:
        PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(control, WM_LBUTTONUP, 0, at);
        PostMessageA(control, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageA(control, WM_LBUTTONUP, 0, at);
        break;
    case TClick::Right: {
        PostMessageA(control, WM_RBUTTONDOWN, MK_RBUTTON, at);
        PostMessageA(control, WM_RBUTTONUP, 0, at);
        POINT screen{x, y};
        ClientToScreen(control, &screen);
        PostMessageA(control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), MAKELPARAM(screen.x, screen.y));
        break;
    }
    }
}

void Drag(HWND control, int x1, int y1, int x2, int y2)
{
    constexpr int kSteps = 8;
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x1, y1));
    for (int step = 1; step <= kSteps; ++step) {
        const int x = x1 + (x2 - x1) * step / kSteps;
        const int y = y1 + (y2 - y1) * step / kSteps;
        PostMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    }
    PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(x2, y2));
}

}  // namespace quillbox
