/* The regular-expression library's six entry points with the standard calling
   convention (the callee removes the arguments), as a library built with the
   wrong convention would have them: the caller-cleans check must reject it. */
#include <windows.h>

int WINAPI BMatch(const char* command, const char* target, const char* end, void** state, char* message)
{
    (void)command, (void)state;
    if (message) message[0] = '\0';
    return target != end;
}

int WINAPI BSubst(const char* command, const char* target, const char* end, void** state, char* message)
{
    return BMatch(command, target, end, state, message) ? 0 : 1;
}

int WINAPI BTrans(const char* command, const char* target, const char* end, void** state, char* message)
{
    return BMatch(command, target, end, state, message) ? 1 : 0;
}

int WINAPI BSplit(const char* command, const char* target, const char* end, int limit, void** state, char* message)
{
    return limit + BMatch(command, target, end, state, message);
}

void WINAPI BRegfree(void* state) { (void)state; }

const char* WINAPI BRegexpVersion(void) { return "stdcall"; }
