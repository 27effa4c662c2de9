/* Identifiers shared by the resource script and the code. */
#pragma once

#define QBX_MENU_BITMAP "MENUBMP"
#define QBX_MAIN_ICON "MAINICON"

/* The folder window: a modal window naming the folder the command runs on. */
#define QBX_FOLDER_WINDOW "FOLDERWINDOW"
#define QBX_FOLDER_NAME_LABEL 1001
