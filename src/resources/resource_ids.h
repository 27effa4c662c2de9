/* Names and identifiers of resources the code looks up; quillbox.rc spells
   the names out, as the resource compiler takes them literally. */
#pragma once

#define QBX_MENU_BITMAP "MENUBMP"
#define QBX_MAIN_ICON "MAINICON"

/* The one-line input dialog of the find command. */
#define QBX_INPUT_DIALOG "INPUTDIALOG"
#define QBX_INPUT_PROMPT 1101
#define QBX_INPUT_TEXT 1102

/* Tool-bar pictures: twelve square images side by side, and their greyed
   versions at the same indexes, once for each size below; the name ends in
   the size ("TOOLBARIMAGES48"). */
#define QBX_TOOLBAR_IMAGES "TOOLBARIMAGES"
#define QBX_TOOLBAR_GREYED "TOOLBARGREYED"
#define QBX_TOOLBAR_IMAGE_SIZES {32, 40, 48, 64}
