// The hyperlink label's system services: the user's link colours, the
// shell, the classes root and starting a program.
#pragma once

#include <windows.h>

#include "ui/about/link_label_logic.h"

namespace quillbox {

// "Anchor Color", "Anchor Color Hover", "Anchor Color Visited" and "Use
// Anchor Hover Color" of the current user's browser settings; an absent
// value keeps its default.
TLinkSettings ReadLinkSettings();

class TWin32LinkShell final : public TLinkShell {
public:
    bool ShellOpen(const std::string& address) override;
    std::optional<std::string> ReadClassCommand(const std::string& key) override;
    void StartProgram(const std::string& commandLine) override;
};

}  // namespace quillbox
