#include "script_verb.h"

#include "menus.h"
#include "ui_probe.h"
#include "convert/file_bytes.h"

#include <cstdlib>

namespace quillbox {

void Fail(const std::string& message) { throw TScriptFailure(message); }

double SecondsArg(const TScriptSession& session, const TScriptWords& words, std::size_t i)
{
    return words.size() > i ? std::stod(words[i]) : session.TimeoutSeconds;
}

int Number(const std::string& word)
{
    char* end = nullptr;
    const long value = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end) Fail("not a number: " + word);
    return static_cast<int>(value);
}

std::string ToLocal(const std::string& utf8)
{
    const std::wstring wide = Widen(utf8);
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string local(n, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), local.data(), n, nullptr, nullptr);
    return local;
}

std::string FromLocal(const std::string& local)
{
    const int n = MultiByteToWideChar(CP_ACP, 0, local.data(), static_cast<int>(local.size()), nullptr, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, local.data(), static_cast<int>(local.size()), wide.data(), n);
    return Narrow(wide);
}

std::string Joined(const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : ", ") + ("\"" + word + "\"");
    return text;
}

void WriteOut(const std::string& path, std::string_view bytes)
{
    if (path == "-") return;
    if (!WriteFileBytes(ToLocal(path), bytes)) Fail("cannot write " + path);
}

HWND WaitWindow(const std::string& title, double seconds)
{
    return WaitFor<HWND>([&] { return FindWindowByTitle(title); }, seconds, "window \"" + title + "\"");
}

HWND Control(HWND window, const std::string& name)
{
    const std::optional<HWND> control = FindControl(window, name);
    if (!control) Fail("no control " + name + " in \"" + WindowTitle(window) + "\"");
    return *control;
}

void PressButton(HWND dialog, const std::string& caption)
{
    const std::optional<HWND> button = FindButton(dialog, caption);
    if (!button) Fail("no button \"" + caption + "\" in \"" + WindowTitle(dialog) + "\"; it has " + Joined(ButtonCaptions(dialog)));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(*button), BN_CLICKED), reinterpret_cast<LPARAM>(*button));
}

}  // namespace quillbox
