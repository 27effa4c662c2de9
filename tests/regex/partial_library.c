/* A library that has BMatch and BSplit only, for the loader's reports of
   missing entry points. It matches nothing. */
#include "regex/bregexp.h"

__attribute__((visibility("default"))) int BMatch(const char* command, const char* target, const char* targetEnd,
                                                  BREGEXP** rxp, char* message)
{
    (void)command; (void)target; (void)targetEnd; (void)rxp;
    message[0] = '\0';
    return 0;
}

__attribute__((visibility("default"))) int BSplit(const char* command, const char* target, const char* targetEnd,
                                                  int limit, BREGEXP** rxp, char* message)
{
    (void)command; (void)target; (void)targetEnd; (void)limit; (void)rxp;
    message[0] = '\0';
    return 0;
}
