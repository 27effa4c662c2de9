#include "ui/about/link_label_logic.h"

#include <utility>

namespace quillbox {

namespace {
const TLinkSettings kDefaults;

TLinkColor ColorOf(const std::string& text, const std::string& defaultText)
{
    return ParseColorText(text, ParseColorText(defaultText, 0));
}
}  // namespace

TLinkLabelLogic::TLinkLabelLogic(TLinkSettings settings)
    : settings_(std::move(settings)), look_{ColorOf(settings_.AnchorColor, kDefaults.AnchorColor), true}
{
}

bool TLinkLabelLogic::MouseEnter() { return !std::exchange(mouseOver_, true); }

bool TLinkLabelLogic::MouseLeave() { return std::exchange(mouseOver_, false); }

TLinkLook TLinkLabelLogic::Paint()
{
    if (!mouseOver_) {
        look_.Color = ColorOf(settings_.AnchorColor, kDefaults.AnchorColor);
        look_.Underlined = !UnderlineOnlyUnderMouse();
    } else {
        look_.Color = ColorOf(settings_.AnchorHoverColor, kDefaults.AnchorHoverColor);
        if (UnderlineOnlyUnderMouse()) look_.Underlined = true;
    }
    return look_;
}

TLinkKind TLinkLabelLogic::Click(const std::string& caption)
{
    look_.Color = ColorOf(settings_.AnchorVisitedColor, kDefaults.AnchorVisitedColor);
    return IsWebAddress(caption) ? TLinkKind::Web : TLinkKind::Mail;
}

void OpenLink(const std::string& text, TLinkKind kind, TLinkShell& shell)
{
    if (kind == TLinkKind::Web) {
        if (shell.ShellOpen(text)) return;
        const std::optional<std::string> fileType = shell.ReadClassCommand(".htm");
        if (!fileType) return;
        if (const auto browser = shell.ReadClassCommand(*fileType + "\\shell\\open\\command"))
            shell.StartProgram(LinkCommandLine(*browser, text));
        return;
    }
    if (const auto mailer = shell.ReadClassCommand("mailto\\shell\\open\\command"))
        shell.StartProgram(LinkCommandLine(*mailer, text));
}

}  // namespace quillbox
