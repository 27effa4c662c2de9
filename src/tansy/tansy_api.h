// The tansy folder holds the contract with the Tansy host, header-only: this
// file (which needs windows.h), and the portable host_api.h and
// info_record_layout.h. It uses nothing else of ours.
//
// The contract between the Tansy host and its plug-ins: the 54 host functions
// a plug-in resolves by name from the host's executable, in the order the
// plug-in's table holds them, and the callbacks a plug-in hands to the host.
//
// Both sides include this file: tansyhost.exe exports exactly these functions,
// and the plug-in's table resolves exactly these names, so the two cannot
// drift apart. Every function uses the standard calling convention; texts are
// zero-terminated byte strings in the local code page.
//
// Ownership of returned texts:
//   host text      stays the host's; the caller copies it and never frees it
//                  (data folder, folder and mailbox identifiers, display names,
//                  temporary file names, the current mail's identifier)
//   released text  the caller's: it reads it (or copies it) and releases it
//                  with TSA_Free, once (headers, sources, bodies, converted
//                  texts)
#pragma once

#include <windows.h>

extern "C" {
// Runs a registered command; both arguments are the host's and are ignored.
typedef void(WINAPI* TSA_CommandCallback)(LONG_PTR, LONG_PTR);
// Returns 0 to show the command enabled, 1 to show it greyed.
typedef int(WINAPI* TSA_UICallback)(LONG_PTR, LONG_PTR);
}

// X(name, result type, parameter list) for every host function, in table order.
#define TANSY_API_FUNCTIONS(X)                                                             \
    X(TSA_GetVersion, int, (void))                                                         \
    X(TSA_Command, BOOL, (int commandId))                                                  \
    X(TSA_GetWindowHandles, BOOL, (HWND * main, HWND * tree, HWND * list, HWND * view))    \
    X(TSA_RegisterCommand, int, (LPCSTR description, int kind, TSA_CommandCallback callback)) \
    X(TSA_RegisterUICallback, BOOL, (int commandId, TSA_UICallback callback))              \
    X(TSA_GetDataFolder, LPCSTR, (void))                                                   \
    X(TSA_GetTempFolder, LPCSTR, (void))                                                   \
    X(TSA_GetTempFileName, LPCSTR, (LPCSTR extension))                                     \
    X(TSA_GetCurrentMailBox, LPCSTR, (void))                                               \
    X(TSA_SetCurrentMailBox, BOOL, (LPCSTR mailBox))                                       \
    X(TSA_GetCurrentFolder, LPCSTR, (void))                                                \
    X(TSA_SetCurrentFolder, BOOL, (LPCSTR folder))                                         \
    X(TSA_GetFolderDisplayName, LPCSTR, (LPCSTR folder))                                   \
    X(TSA_SetMessageText, BOOL, (LPCSTR text))                                             \
    X(TSA_GetCurrentMail, LPCSTR, (void))                                                  \
    X(TSA_SetCurrentMail, BOOL, (LPCSTR mailId))                                           \
    X(TSA_GetNextMail, LPCSTR, (LPCSTR mailId, BOOL selectedOnly))                         \
    X(TSA_SetSel, BOOL, (LPCSTR mailId, BOOL select))                                      \
    X(TSA_AppendMessage, BOOL, (LPCSTR folder, LPCSTR source))                             \
    X(TSA_MoveSelectedMessages, BOOL, (LPCSTR folder, BOOL copy))                          \
    X(TSA_GetStatus, int, (LPCSTR mailId))                                                 \
    X(TSA_ComposeMail, HWND, (LPCSTR source))                                              \
    X(TSA_GetCharSet, LPSTR, (LPCSTR mailId))                                              \
    X(TSA_GetSource, LPSTR, (LPCSTR mailId))                                               \
    X(TSA_SetSource, BOOL, (LPCSTR mailId, LPCSTR source))                                 \
    X(TSA_GetHeader, LPSTR, (LPCSTR mailId))                                               \
    X(TSA_GetText, LPSTR, (LPCSTR mailId))                                                 \
    X(TSA_SetText, BOOL, (LPCSTR mailId, LPCSTR text))                                     \
    X(TSA_GetSpecifiedHeader, int, (LPCSTR name, LPSTR buffer, int size))                  \
    X(TSA_SetSpecifiedHeader, BOOL, (LPCSTR name, LPCSTR value))                           \
    X(TSA_CompGetCharSet, LPSTR, (HWND compose))                                           \
    X(TSA_CompGetSource, LPSTR, (HWND compose))                                            \
    X(TSA_CompSetSource, BOOL, (HWND compose, LPCSTR source))                              \
    X(TSA_CompGetHeader, LPSTR, (HWND compose))                                            \
    X(TSA_CompGetSpecifiedHeader, int, (HWND compose, LPCSTR name, LPSTR buffer, int size)) \
    X(TSA_CompSetSpecifiedHeader, BOOL, (HWND compose, LPCSTR name, LPCSTR value))         \
    X(TSA_CompGetText, LPSTR, (HWND compose))                                              \
    X(TSA_CompSetText, BOOL, (HWND compose, LPCSTR text))                                  \
    X(TSA_CompAttachFile, BOOL, (HWND compose, LPCSTR path, LPCSTR mimeType))              \
    X(TSA_Alloc, LPVOID, (int size))                                                       \
    X(TSA_ReAlloc, LPVOID, (LPVOID block, int size))                                       \
    X(TSA_Free, void, (LPVOID block))                                                      \
    X(TSA_ISO_2022_JP, LPSTR, (LPCSTR text, BOOL encode))                                  \
    X(TSA_ISO_2022_KR, LPSTR, (LPCSTR text, BOOL encode))                                  \
    X(TSA_HZ_GB2312, LPSTR, (LPCSTR text, BOOL encode))                                    \
    X(TSA_ISO_8859_2, LPSTR, (LPCSTR text, BOOL encode))                                   \
    X(TSA_EUC_JP, LPSTR, (LPCSTR text, BOOL encode))                                       \
    X(TSA_UTF_7, LPSTR, (LPCSTR text, BOOL encode))                                        \
    X(TSA_UTF_8, LPSTR, (LPCSTR text, BOOL encode))                                        \
    X(TSA_B64Convert, BOOL, (LPCSTR destination, LPCSTR source, BOOL encode))              \
    X(TSA_QPConvert, BOOL, (LPCSTR destination, LPCSTR source, BOOL encode))               \
    X(TSA_MIMEHeader, LPSTR, (LPCSTR header, LPSTR buffer, int size, BOOL encode))         \
    X(TSA_SerializeRcpts, LPSTR, (LPCSTR recipients))                                      \
    X(TSA_Connect, BOOL, (BOOL online))

// Function-pointer types TSA_xxx_t for the plug-in's table.
#define TANSY_API_POINTER_TYPE(name, result, params) typedef result(WINAPI* name##_t) params;
extern "C" {
TANSY_API_FUNCTIONS(TANSY_API_POINTER_TYPE)
}
#undef TANSY_API_POINTER_TYPE

#include "info_record_layout.h"

namespace tansy {
constexpr int kApiFunctionCount = 54;
}  // namespace tansy
