#include "ui/win32/main_window/menu_layout.h"

#include <utility>

namespace quillbox {

namespace {
TShortcut Ctrl(unsigned key) { return {key, true, false}; }
TShortcut CtrlAlt(unsigned key) { return {key, true, true}; }
TMenuItemLayout Separator() { return {TMenuItem::None, "-", cmNone, {}, 0, {}}; }
TMenuItemLayout Item(TMenuItem item, const char* name, TCommandId command, TShortcut shortcut = {}, int group = 0)
{
    return {item, name, command, shortcut, group, {}};
}
TMenuItemLayout DropDown(TMenuItem item, const char* name, std::vector<TMenuItemLayout> items)
{
    return {item, name, cmNone, {}, 0, std::move(items)};
}
}  // namespace

const std::vector<TMenuItemLayout>& MainMenuLayout()
{
    using enum TMenuItem;
    static const std::vector<TMenuItemLayout> layout = {
        DropDown(View, "mnView",
                 {Item(ShowAllItems, "mnShowAllItems", cmShowAllItems, CtrlAlt('A'), 1),
                  Item(ShowNonHTMLs, "mnShowNonHTMLs", cmShowNonHTMLs, CtrlAlt('N'), 1),
                  Item(ShowOnlyHTMLs, "mnShowOnlyHTMLs", cmShowOnlyHTMLs, CtrlAlt('H'), 1), Separator(),
                  Item(SortByDate, "mnSortByDate", cmSortByDate, CtrlAlt('D'), 2),
                  Item(SortBySize, "mnSortBySize", cmSortBySize, CtrlAlt('S'), 2), Separator(),
                  Item(Accending, "mnAccending", cmAccending, CtrlAlt('M'), 3),
                  Item(Deccending, "mnDeccending", cmDeccending, CtrlAlt('L'), 3), Separator(),
                  Item(SetTargetExtension, "mnSetTargetExtension", cmSetTargetExtension, Ctrl('E'))}),
        DropDown(Edit, "mnEdit",
                 {Item(MarkSelected, "mnMarkSelected", cmMarkSelected, Ctrl('M')),
                  Item(UnmarkSelected, "mnUnmarkSelected", cmUnmarkSelected, Ctrl('U')),
                  Item(UnmarkAll, "mnUnmarkAll", cmUnmarkAll, Ctrl('B')), Separator(),
                  Item(CopySpreadsheet, "mnCopySpreadsheet", cmCopyGrid, Ctrl('C')), Separator(),
                  Item(SelectAll, "mnSelectAll", cmSelectAll, Ctrl('A')),
                  Item(SelectNone, "mnSelectNone", cmSelectNone, Ctrl('N')), Separator(),
                  Item(Find, "mnFind", cmFind, Ctrl('F')), Item(FindNext, "mnFindNext", cmFindNext, {kKeyF3})}),
        DropDown(Function, "mnFunction",
                 {Item(JumpTo, "mnJumpTo", cmJumpTo, Ctrl('G')), Separator(),
                  Item(SaveMarksAs, "mnSaveMarksAs", cmSaveMarksAs, Ctrl('S')), Separator(),
                  Item(DeleteMarks, "mnDeleteMarks", cmDeleteMarks, {kKeyDelete}),
                  Item(DetachMarks, "mnDetachMarks", cmDetachMarks, Ctrl('T'))}),
        DropDown(Option, "mnOption",
                 {Item(Japanese, "mnJapanese", cmJapanese), Item(English, "mnEnglish", cmEnglish),
                  Item(ChangeFont, "mnChangeFont", cmChangeFont), Separator(),
                  Item(NumberSameNames, "mnNumberSameNames", cmNumberSameNames),
                  Item(MailDateOnFiles, "mnMailDateOnFiles", cmMailDateOnFiles), Separator(),
                  Item(ClassicRules, "mnClassicRules", cmClassicRules)}),
        DropDown(Help, "mnHelp", {Item(ReadMe, "mnReadMe", cmReadMe), Item(OpenReadMe, "mnOpenReadMe", cmOpenReadMe)}),
    };
    return layout;
}

const std::vector<TMenuItemLayout>& GridPopupLayout()
{
    using enum TMenuItem;
    static const std::vector<TMenuItemLayout> layout = {
        Item(PopupCopyGrid, "pmnCopyGrid", cmCopyGrid),
        Item(PopupShowMail, "pmnShowMail", cmJumpTo),
        Separator(),
        Item(PopupSetTargetExtension, "pmnSetTargetExtension", cmSetTargetExtension),
        Separator(),
        Item(PopupSaveAttachAs, "pmnSaveAttachAs", cmSaveAttachAs),
        Separator(),
        Item(PopupDeleteAnAttachment, "pmnDeleteAnAttachment", cmDeleteAnAttachment),
    };
    return layout;
}

std::string ShortcutText(const TShortcut& shortcut)
{
    if (shortcut.Key == 0) return {};
    std::string text;
    if (shortcut.Ctrl) text += "Ctrl+";
    if (shortcut.Alt) text += "Alt+";
    if (shortcut.Key == kKeyF3) return text + "F3";
    if (shortcut.Key == kKeyDelete) return text + "Del";
    return text + static_cast<char>(shortcut.Key);
}

}  // namespace quillbox
