// What the hyperlink label decides, free of any toolkit: its colours and
// underlining by mouse state, and what a click opens.
#pragma once

#include <optional>
#include <string>

#include "ui/about/link_text.h"

namespace quillbox {

// The link settings as the registry holds them; absent values keep these
// defaults.
struct TLinkSettings {
    std::string AnchorColor = "0,0,255";
    std::string AnchorHoverColor = "255,0,0";
    std::string AnchorVisitedColor = "255,0,255";
    // Exactly "yes": underlined only under the mouse.
    std::string UseHoverColor = "no";
};

struct TLinkLook {
    TLinkColor Color;
    bool Underlined;
    bool operator==(const TLinkLook&) const = default;
};

enum class TLinkKind { Web, Mail };

class TLinkLabelLogic {
public:
    // The label is designed underlined, in blue.
    explicit TLinkLabelLogic(TLinkSettings settings);

    // True when the state changed, so the label is to be repainted.
    bool MouseEnter();
    bool MouseLeave();
    bool MouseOver() const { return mouseOver_; }

    // The look for the next paint, which it also becomes.
    TLinkLook Paint();
    const TLinkLook& Look() const { return look_; }

    // The visited colour until the next paint; what the caption is to be
    // opened as.
    TLinkKind Click(const std::string& caption);

private:
    bool UnderlineOnlyUnderMouse() const { return settings_.UseHoverColor == "yes"; }

    TLinkSettings settings_;
    bool mouseOver_ = false;
    TLinkLook look_;
};

// The system services a link is opened with.
class TLinkShell {
public:
    virtual ~TLinkShell() = default;
    // The shell's "open" of a web address; true when it succeeded.
    virtual bool ShellOpen(const std::string& address) = 0;
    // The default value of a key under the classes root; none when the key
    // cannot be opened, empty when its value cannot be read.
    virtual std::optional<std::string> ReadClassCommand(const std::string& key) = 0;
    // Starts a command line as a program, shown normally.
    virtual void StartProgram(const std::string& commandLine) = 0;
};

// A web address goes to the shell, then to the program registered for HTML
// files; a mail address to the registered mail program. Nothing registered:
// nothing happens.
void OpenLink(const std::string& text, TLinkKind kind, TLinkShell& shell);

}  // namespace quillbox
