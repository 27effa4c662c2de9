#include "commands.h"

namespace quillbox {

int TCommandRegistry::Register(const char* description, int kind, TSA_CommandCallback callback)
{
    const int id = kFirstId + static_cast<int>(commands_.size());
    commands_.push_back({id, description ? description : "", kind, callback, nullptr});
    return id;
}

bool TCommandRegistry::SetEnabling(int id, TSA_UICallback enabling)
{
    for (TCommand& command : commands_)
        if (command.id == id) {
            command.enabling = enabling;
            return true;
        }
    return false;
}

const TCommand* TCommandRegistry::Find(int id) const
{
    for (const TCommand& command : commands_)
        if (command.id == id) return &command;
    return nullptr;
}

void TCommandRegistry::UpdateStates(HMENU menu) const
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            UpdateStates(sub);
            continue;
        }
        const TCommand* command = Find(static_cast<int>(GetMenuItemID(menu, i)));
        if (!command || !command->enabling) continue;
        const bool greyed = command->enabling(command->id, command->kind) == 1;
        EnableMenuItem(menu, i, MF_BYPOSITION | (greyed ? MF_GRAYED : MF_ENABLED));
    }
}

bool TCommandRegistry::Run(int id, HWND owner) const
{
    const TCommand* command = Find(id);
    if (!command || !command->callback) return false;
    command->callback(reinterpret_cast<LONG_PTR>(owner), command->kind);
    return true;
}

}  // namespace quillbox
