// Loaded before the C library into a writer program, it makes the file
// system's locks behave as on a school's network share:
//   QUIRAVO_TRAVAS=recusa  every flock and fcntl lock fails with ENOLCK, as on
//                          a share mounted without locks;
//   QUIRAVO_TRAVAS=finge   every one is granted and locks nothing, as on a
//                          share whose clients each grant locks by themselves;
//   QUIRAVO_LATENCIA_US=n  every read waits n microseconds first, as a
//                          network's round trip does.

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

enum class Locks { Real, Refused, Pretended };

Locks locks()
{
    static const Locks mode = [] {
        const char* value = std::getenv("QUIRAVO_TRAVAS");
        if (value && std::strcmp(value, "recusa") == 0)
            return Locks::Refused;
        if (value && std::strcmp(value, "finge") == 0)
            return Locks::Pretended;
        return Locks::Real;
    }();
    return mode;
}

void roundTrip()
{
    static const long latency = [] {
        const char* value = std::getenv("QUIRAVO_LATENCIA_US");
        return value ? std::atol(value) : 0L;
    }();
    if (latency > 0)
        ::usleep(useconds_t(latency));
}

bool isLockCommand(int cmd)
{
    return cmd == F_SETLK || cmd == F_SETLKW || cmd == F_OFD_SETLK || cmd == F_OFD_SETLKW;
}

template <class Function>
Function next(const char* name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

// The lock commands answered here; the rest go to the C library.
int fcntlThrough(const char* name, int fd, int cmd, void* arg)
{
    if (isLockCommand(cmd) && locks() == Locks::Refused) {
        errno = ENOLCK;
        return -1;
    }
    if (isLockCommand(cmd) && locks() == Locks::Pretended)
        return 0;
    using Fcntl = int (*)(int, int, ...);
    static const Fcntl real = next<Fcntl>(name);
    return real(fd, cmd, arg);
}

}  // namespace

extern "C" {

int flock(int fd, int operation)
{
    if (locks() == Locks::Refused) {
        errno = ENOLCK;
        return -1;
    }
    if (locks() == Locks::Pretended)
        return 0;
    static const auto real = next<int (*)(int, int)>("flock");
    return real(fd, operation);
}

int fcntl(int fd, int cmd, ...)
{
    va_list args;
    va_start(args, cmd);
    void* arg = va_arg(args, void*);
    va_end(args);
    return fcntlThrough("fcntl", fd, cmd, arg);
}

int fcntl64(int fd, int cmd, ...)
{
    va_list args;
    va_start(args, cmd);
    void* arg = va_arg(args, void*);
    va_end(args);
    return fcntlThrough("fcntl64", fd, cmd, arg);
}

ssize_t read(int fd, void* buffer, size_t count)
{
    roundTrip();
    static const auto real = next<ssize_t (*)(int, void*, size_t)>("read");
    return real(fd, buffer, count);
}

ssize_t pread(int fd, void* buffer, size_t count, off_t offset)
{
    roundTrip();
    static const auto real = next<ssize_t (*)(int, void*, size_t, off_t)>("pread");
    return real(fd, buffer, count, offset);
}

ssize_t pread64(int fd, void* buffer, size_t count, off_t offset)
{
    roundTrip();
    static const auto real = next<ssize_t (*)(int, void*, size_t, off_t)>("pread64");
    return real(fd, buffer, count, offset);
}

}  // extern "C"
