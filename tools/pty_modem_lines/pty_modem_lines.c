/* Modem lines for pseudo-terminals, loaded with LD_PRELOAD into a program under test.
 *
 * A pty has no DTR, RTS, DSR or CTS: the modem-line ioctls fail on it, so a serial port
 * layer that sets DTR or RTS (Wine's SetCommState does) refuses the whole configuration.
 * Here those ioctls succeed on a pty: the lines the program sets are remembered per
 * descriptor, and the lines a peer would drive (DSR, CTS, CD) read as raised. Every other
 * call, and every other descriptor, goes to the C library unchanged. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdarg.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>

typedef int (*ioctl_fn)(int, unsigned long, ...);

enum { kMaxFds = 1024 };
static int g_lines[kMaxFds];

static int is_pty(int fd) {
    struct stat st;
    if (fd < 0 || fd >= kMaxFds || fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode)) {
        return 0;
    }
    /* Unix98 pty terminals are majors 136 to 143; the multiplexer /dev/ptmx is 5:2. */
    return (major(st.st_rdev) >= 136 && major(st.st_rdev) <= 143) ||
           (major(st.st_rdev) == 5 && minor(st.st_rdev) == 2);
}

int ioctl(int fd, unsigned long request, ...) {
    static ioctl_fn real_ioctl;
    va_list args;
    void* arg;
    va_start(args, request);
    arg = va_arg(args, void*);
    va_end(args);
    if (!real_ioctl) {
        real_ioctl = (ioctl_fn)dlsym(RTLD_NEXT, "ioctl");
    }
    if ((request == TIOCMGET || request == TIOCMSET || request == TIOCMBIS ||
         request == TIOCMBIC) &&
        is_pty(fd)) {
        int* bits = (int*)arg;
        if (!bits) {
            errno = EFAULT;
            return -1;
        }
        switch (request) {
            case TIOCMGET:
                *bits = g_lines[fd] | TIOCM_DSR | TIOCM_CTS | TIOCM_CD;
                break;
            case TIOCMSET:
                g_lines[fd] = *bits & (TIOCM_DTR | TIOCM_RTS);
                break;
            case TIOCMBIS:
                g_lines[fd] |= *bits & (TIOCM_DTR | TIOCM_RTS);
                break;
            default:
                g_lines[fd] &= ~*bits;
                break;
        }
        return 0;
    }
    return real_ioctl(fd, request, arg);
}
