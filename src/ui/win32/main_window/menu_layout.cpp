#include "ui/win32/main_window/menu_layout.h"

#include <windows.h>

namespace quillbox {

namespace {
TShortcut Ctrl(unsigned key) { return {key, true, false}; }
TShortcut CtrlAlt(unsigned key) { return {key, true, true}; }
TMenuItemLayout Separator() { return {"-", cmNone, {}, 0, {}}; }
TMenuItemLayout Item(const char* name, TCommandId command, TShortcut shortcut = {}, int group = 0)
{
    return {name, command, shortcut, group, {}};
}
}  // namespace

const std::vector<TMenuItemLayout>& MainMenuLayout()
{
    static const std::vector<TMenuItemLayout> layout = {
        {"mnView", cmNone, {}, 0,
         {Item("mnShowAllItems", cmShowAllItems, CtrlAlt('A'), 1),
          Item("mnShowNonHTMLs", cmShowNonHTMLs, CtrlAlt('N'), 1),
          Item("mnShowOnlyHTMLs", cmShowOnlyHTMLs, CtrlAlt('H'), 1), Separator(),
          Item("mnSortByDate", cmSortByDate, CtrlAlt('D'), 2),
          Item("mnSortBySize", cmSortBySize, CtrlAlt('S'), 2), Separator(),
          Item("mnAccending", cmAccending, CtrlAlt('M'), 3),
          Item("mnDeccending", cmDeccending, CtrlAlt('L'), 3), Separator(),
          Item("mnSetTargetExtension", cmSetTargetExtension, Ctrl('E'))}},
        {"mnEdit", cmNone, {}, 0,
         {Item("mnMarkSelected", cmMarkSelected, Ctrl('M')),
          Item("mnUnmarkSelected", cmUnmarkSelected, Ctrl('U')),
          Item("mnUnmarkAll", cmUnmarkAll, Ctrl('B')), Separator(),
          Item("mnCopySpreadsheet", cmCopyGrid, Ctrl('C')), Separator(),
          Item("mnSelectAll", cmSelectAll, Ctrl('A')), Item("mnSelectNone", cmSelectNone, Ctrl('N')),
          Separator(), Item("mnFind", cmFind, Ctrl('F')), Item("mnFindNext", cmFindNext, {VK_F3})}},
        {"mnFunction", cmNone, {}, 0,
         {Item("mnJumpTo", cmJumpTo, Ctrl('G')), Separator(),
          Item("mnSaveMarksAs", cmSaveMarksAs, Ctrl('S')), Separator(),
          Item("mnDeleteMarks", cmDeleteMarks, {VK_DELETE}), Item("mnDetachMarks", cmDetachMarks, Ctrl('T'))}},
        {"mnOption", cmNone, {}, 0,
         {Item("mnJapanese", cmJapanese), Item("mnEnglish", cmEnglish),
          Item("mnChangeFont", cmChangeFont), Separator(),
          Item("mnNumberSameNames", cmNumberSameNames), Item("mnMailDateOnFiles", cmMailDateOnFiles),
          Separator(), Item("mnClassicRules", cmClassicRules)}},
        {"mnHelp", cmNone, {}, 0, {Item("mnReadMe", cmReadMe), Item("mnOpenReadMe", cmOpenReadMe)}},
    };
    return layout;
}

const std::vector<TMenuItemLayout>& GridPopupLayout()
{
    static const std::vector<TMenuItemLayout> layout = {
        Item("pmnCopyGrid", cmCopyGrid),
        Item("pmnShowMail", cmJumpTo),
        Separator(),
        Item("pmnSetTargetExtension", cmSetTargetExtension),
        Separator(),
        Item("pmnSaveAttachAs", cmSaveAttachAs),
        Separator(),
        Item("pmnDeleteAnAttachment", cmDeleteAnAttachment),
    };
    return layout;
}

std::string ShortcutText(const TShortcut& shortcut)
{
    if (shortcut.Key == 0) return {};
    std::string text;
    if (shortcut.Ctrl) text += "Ctrl+";
    if (shortcut.Alt) text += "Alt+";
    if (shortcut.Key == VK_F3) return text + "F3";
    if (shortcut.Key == VK_DELETE) return text + "Del";
    return text + static_cast<char>(shortcut.Key);
}

}  // namespace quillbox
