/* The C contract between Korvex and a shutdown launcher library
 * (libshdnlnch.so), which the program loads at run time from its own folder.
 * A missing library, or one that lacks either call, counts as "the shutdown
 * program is not installed".
 *
 * Both calls come from the program's user-interface thread, one at a time.
 */
#ifndef KVX_SHDNLNCH_H
#define KVX_SHDNLNCH_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Where the shutdown program is: a NUL-terminated path, owned by the library
 * and valid until the next call into it; the caller copies it at once.
 * NULL or "" means that the shutdown program is not installed. */
const char* ShdnLocation(void);

/* Starts the shutdown program with `switchText` (NUL-terminated, e.g.
 * "/SHUTDOWN") as its only argument, without a shell, and returns at once.
 * An empty text starts it without arguments. Returns 0 when the program was
 * started; otherwise an errno value (ENOENT: not installed), which is also
 * written to *status when `status` is not NULL. */
int32_t ShdnLaunch(const char* switchText, int32_t* status);

#ifdef __cplusplus
}
#endif

#endif
