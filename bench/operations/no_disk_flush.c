/* Preloaded into a program (LD_PRELOAD) to make its disk flushes return at
 * once: the removal benchmark runs once with it, to show what the flushes
 * cost apart from the program's own work. Never for real data. */
int fsync(int fd)
{
    (void)fd;
    return 0;
}

int fdatasync(int fd)
{
    (void)fd;
    return 0;
}
