// Command identifiers of the main window's menus and tool buttons. A tool
// button and its menu item share one identifier, so one handler serves both.
#pragma once

namespace quillbox {

enum TCommandId : unsigned {
    cmNone = 0,
    cmShowAllItems = 2001,
    cmShowNonHTMLs,
    cmShowOnlyHTMLs,
    cmSortByDate,
    cmSortBySize,
    cmAccending,
    cmDeccending,
    cmSetTargetExtension,
    cmMarkSelected,
    cmUnmarkSelected,
    cmUnmarkAll,
    cmCopyGrid,
    cmSelectAll,
    cmSelectNone,
    cmFind,
    cmFindNext,
    cmJumpTo,
    cmSaveMarksAs,
    cmDeleteMarks,
    cmJapanese,
    cmEnglish,
    cmChangeFont,
    cmReadMe,
    cmOpenReadMe,
    cmSaveAttachAs,
    cmDeleteAnAttachment,
    cmNumberSameNames,
    cmMailDateOnFiles,
    cmClassicRules,
    cmDetachMarks,
};

}  // namespace quillbox
