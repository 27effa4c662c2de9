#include "file_call_spy.h"

#include <dlfcn.h>
#include <signal.h>
#include <unistd.h>

#include <climits>
#include <cstdio>

namespace quillbox::testing {
namespace {

bool g_recording = false;
std::vector<TFileCall> g_calls;
std::string g_killSuffix;

template <class TFunction>
TFunction Real(const char* name)
{
    return reinterpret_cast<TFunction>(dlsym(RTLD_NEXT, name));
}

std::string PathOfDescriptor(int fd)
{
    char path[PATH_MAX] = {};
    const ssize_t n = readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), path, sizeof path - 1);
    return n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string();
}

}  // namespace

void StartRecordingFileCalls()
{
    g_calls.clear();
    g_recording = true;
}

std::vector<TFileCall> RecordedFileCalls() { return g_calls; }

void KillAtRenameOnto(const std::string& suffix) { g_killSuffix = suffix; }

}  // namespace quillbox::testing

using namespace quillbox::testing;

extern "C" int rename(const char* from, const char* to)
{
    static const auto real = Real<int (*)(const char*, const char*)>("rename");
    const std::string target = to ? to : "";
    if (!g_killSuffix.empty() && target.ends_with(g_killSuffix)) ::kill(::getpid(), SIGKILL);
    if (g_recording) g_calls.push_back({TFileCall::TKind::Rename, from ? from : "", target});
    return real(from, to);
}

extern "C" int fsync(int fd)
{
    static const auto real = Real<int (*)(int)>("fsync");
    if (g_recording) g_calls.push_back({TFileCall::TKind::Flush, PathOfDescriptor(fd), ""});
    return real(fd);
}

extern "C" int fdatasync(int fd)
{
    static const auto real = Real<int (*)(int)>("fdatasync");
    if (g_recording) g_calls.push_back({TFileCall::TKind::Flush, PathOfDescriptor(fd), ""});
    return real(fd);
}
