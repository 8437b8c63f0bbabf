/* Modem lines for pseudo-terminals, loaded with LD_PRELOAD into a program under test.
 *
 * A pty has no DTR, RTS, DSR or CTS: the modem-line ioctls fail on it, so a serial port
 * layer that sets DTR or RTS (Wine's SetCommState does) refuses the whole configuration.
 * Here those ioctls succeed on a pty: the lines the program sets are remembered per
 * descriptor, and the lines a peer would drive (DSR, CTS, CD) read as raised.
 *
 * A pty keeps CS8 without parity whatever is asked, and refuses a second tcsetattr asking for
 * parity or 7 bits. With TARVEK_PTY_LINE_DIR set, tcsetattr on a pty's terminal side keeps
 * the parity and size bits asked for in a file of that folder named for the pty, and passes
 * the call on without them; tcgetattr answers with the kept bits, in every process that loads
 * this library: the simulator serving the pty reads the line the program asked for.
 *
 * Every other call, and every other descriptor, goes to the C library unchanged. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
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

enum { kLineBits = PARENB | PARODD | CSIZE };

/* The file keeping the line bits of a pty's terminal side; 0 for any other descriptor. */
static int line_file(int fd, char* path, size_t size) {
    struct stat st;
    const char* dir = getenv("TARVEK_PTY_LINE_DIR");
    if (!dir || !is_pty(fd) || fstat(fd, &st) != 0 || major(st.st_rdev) == 5) {
        return 0;
    }
    snprintf(path, size, "%s/%u-%u", dir, major(st.st_rdev), minor(st.st_rdev));
    return 1;
}

int tcsetattr(int fd, int actions, const struct termios* t) {
    static int (*real_set)(int, int, const struct termios*);
    char path[512];
    struct termios plain;
    FILE* f;
    if (!real_set) {
        real_set = (int (*)(int, int, const struct termios*))dlsym(RTLD_NEXT, "tcsetattr");
    }
    if (!t || !line_file(fd, path, sizeof path)) {
        return real_set(fd, actions, t);
    }
    if ((f = fopen(path, "w")) != NULL) {
        fprintf(f, "%lu\n", (unsigned long)(t->c_cflag & kLineBits));
        fclose(f);
    }
    plain = *t;
    plain.c_cflag = (plain.c_cflag & ~(tcflag_t)kLineBits) | CS8;
    return real_set(fd, actions, &plain);
}

int tcgetattr(int fd, struct termios* t) {
    static int (*real_get)(int, struct termios*);
    char path[512];
    unsigned long bits;
    FILE* f;
    if (!real_get) {
        real_get = (int (*)(int, struct termios*))dlsym(RTLD_NEXT, "tcgetattr");
    }
    if (real_get(fd, t) != 0) {
        return -1;
    }
    if (line_file(fd, path, sizeof path) && (f = fopen(path, "r")) != NULL) {
        if (fscanf(f, "%lu", &bits) == 1) {
            t->c_cflag = (t->c_cflag & ~(tcflag_t)kLineBits) | ((tcflag_t)bits & kLineBits);
        }
        fclose(f);
    }
    return 0;
}
