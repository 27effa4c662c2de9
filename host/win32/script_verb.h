// What a script command is: a verb, how many arguments it takes, the usage
// line shown when the count is wrong, and the handler that carries it out;
// with the small services every handler shares. Handlers run on the script's
// thread and throw TScriptFailure with the script's message.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quillbox {

class THostApp;

struct TScriptFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Fail(const std::string& message);

// What the handlers of one script run share: the host, and the wait limit
// that "timeout" sets.
struct TScriptSession {
    THostApp& Host;
    double TimeoutSeconds = 10;
};

// A script line's words: the verb first, then its arguments.
using TScriptWords = std::vector<std::string>;

struct TScriptVerb {
    std::string_view Name;
    std::size_t LeastArgs;
    std::size_t MostArgs;
    std::string_view Usage;
    void (*Run)(TScriptSession& session, const TScriptWords& words);
};

// The verb tables, each kept beside the helpers its handlers use.
std::span<const TScriptVerb> HostVerbs();    // the host: selection, its menus, store, plug-ins, the run
std::span<const TScriptVerb> InputVerbs();   // windows appearing, keys, mouse, buttons, status bar
std::span<const TScriptVerb> DialogVerbs();  // message boxes and the system's file, folder and font dialogs
std::span<const TScriptVerb> WindowVerbs();  // a plug-in window's geometry, menu, tool bar, text fit

// The i-th word as a number of seconds, or the session's wait limit when the
// line has no such word.
double SecondsArg(const TScriptSession& session, const TScriptWords& words, std::size_t i);
// A decimal integer; fails on anything else.
int Number(const std::string& word);

// Script texts are UTF-8; host identifiers and paths are in the local code page.
std::string ToLocal(const std::string& utf8);
std::string FromLocal(const std::string& local);
// "\"a\", \"b\"": names for a failure message.
std::string Joined(const std::vector<std::string>& words);

// Writes a script output file ("-": nowhere); fails when it cannot.
void WriteOut(const std::string& path, std::string_view bytes);

// Polls the probe every 50 ms until it finds something; fails after seconds.
template <typename T>
T WaitFor(const std::function<std::optional<T>()>& probe, double seconds, const std::string& what)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(static_cast<int>(seconds * 1000));
    while (true) {
        if (std::optional<T> found = probe()) return *found;
        if (std::chrono::steady_clock::now() >= deadline) Fail("timed out after " + std::to_string(seconds) + " s waiting for " + what);
        Sleep(50);
    }
}

HWND WaitWindow(const std::string& title, double seconds);
// A control of the window by ui_probe's name; fails when there is none.
HWND Control(HWND window, const std::string& name);
// Clicks the dialog's button with that caption (ui_probe's FindButton).
void PressButton(HWND dialog, const std::string& caption);

}  // namespace quillbox
