/* kvx-stream-watch.so, preloaded into a korvex under test: notes in the file
 * named by KVX_STREAM_WATCH_FILE each time the program builds a C++ locale
 * (any stream does) or sets up the standard streams, then hands the call on to
 * libstdc++. Both go through the dynamic linker, so preloading sees them. */
#define _GNU_SOURCE /* NOLINT(bugprone-reserved-identifier): asks glibc for RTLD_NEXT */
#include <dlfcn.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static void note(const char* what) {
    const char* path = getenv("KVX_STREAM_WATCH_FILE");
    if (!path || !*path) return;
    int fd = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) return;
    ssize_t ignored = write(fd, what, strlen(what));
    ignored = write(fd, "\n", 1);
    (void)ignored;
    close(fd);
}

/* A constructor of libstdc++ taking only `this`, noted once per process. */
#define WATCHED_CONSTRUCTOR(symbol, label)                            \
    void symbol(void* self) {                                         \
        static void (*next)(void*);                                   \
        static int noted;                                             \
        if (!noted) {                                                 \
            noted = 1;                                                \
            note(label);                                              \
        }                                                             \
        if (!next) next = (void (*)(void*))dlsym(RTLD_NEXT, #symbol); \
        next(self);                                                   \
    }

WATCHED_CONSTRUCTOR(_ZNSt6localeC1Ev, "std::locale::locale()")
WATCHED_CONSTRUCTOR(_ZNSt6localeC2Ev, "std::locale::locale()")
WATCHED_CONSTRUCTOR(_ZNSt8ios_base4InitC1Ev, "std::ios_base::Init::Init()")
WATCHED_CONSTRUCTOR(_ZNSt8ios_base4InitC2Ev, "std::ios_base::Init::Init()")

/* NOLINTNEXTLINE(bugprone-reserved-identifier): the mangled name is the point */
const void* _ZNSt6locale7classicEv(void) {
    static const void* (*next)(void);
    static int noted;
    if (!noted) {
        noted = 1;
        note("std::locale::classic()");
    }
    if (!next) next = (const void* (*)(void))dlsym(RTLD_NEXT, "_ZNSt6locale7classicEv");
    return next();
}
