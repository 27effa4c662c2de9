// Commands the plug-ins register, and their enabling callbacks.
#pragma once

#include "tansy/tansy_api.h"

#include <string>
#include <vector>

namespace quillbox {

struct TCommand {
    int id;
    std::string description;
    int kind;
    TSA_CommandCallback callback;
    TSA_UICallback enabling;
};

class TCommandRegistry {
public:
    static constexpr int kFirstId = 41000;

    int Register(const char* description, int kind, TSA_CommandCallback callback);
    bool SetEnabling(int id, TSA_UICallback enabling);
    const TCommand* Find(int id) const;

    // Greys every registered item in the menu (and its drop-downs) whose
    // enabling callback says so; enables the others.
    void UpdateStates(HMENU menu) const;
    // False when the id is not a registered command.
    bool Run(int id, HWND owner) const;

private:
    std::vector<TCommand> commands_;
};

}  // namespace quillbox
