// The callbacks the host calls. Until the plug-in proper is in place they
// answer as the idle plug-in does: nothing happens and each returns 0.
#include <windows.h>

#define QBX_EXPORT extern "C" int __stdcall

QBX_EXPORT TSC_OnStart() { return 0; }
QBX_EXPORT TSC_OnExit() { return 0; }
QBX_EXPORT TSC_OnMenuInit(int, HMENU, int) { return 0; }
QBX_EXPORT TSC_OnOpenFolder(int) { return 0; }
QBX_EXPORT TSC_OnOpenMail(int) { return 0; }
QBX_EXPORT TSC_OnEveryMinute() { return 0; }
QBX_EXPORT TSC_OnOpenCompose(int, int) { return 0; }
QBX_EXPORT TSC_OnOutgoing(int, int) { return 0; }
QBX_EXPORT TSC_OnKeyDispatch(int, int, int) { return 0; }
QBX_EXPORT TSC_OnRetrieve(int, int) { return 0; }
QBX_EXPORT TSC_OnSend(int) { return 0; }
QBX_EXPORT TSC_OnFinishRetrieve(int) { return 0; }
QBX_EXPORT TSC_OnPlugInSetup(int) { return 1; }
QBX_EXPORT TSC_OnPlugInInfo(char*) { return 0; }
QBX_EXPORT TSC_OnDragDrop(int, int, int, int) { return 0; }
