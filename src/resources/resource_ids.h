/* Names and identifiers of resources the code looks up; quillbox.rc spells
   the names out, as the resource compiler takes them literally. */
#pragma once

#define QBX_MENU_BITMAP "MENUBMP"

/* The folder window: a modal window naming the folder the command runs on. */
#define QBX_FOLDER_WINDOW "FOLDERWINDOW"
#define QBX_FOLDER_NAME_LABEL 1001
