#include "sensorlib/lmsensors/fatal_guard.h"

#include <sensors/error.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

namespace kvx::lmsensors {
namespace {

// libsensors is one process-wide state, so its guard is too.
std::jmp_buf gReturnPoint;
bool gArmed = false;
bool gBroken = false;
char gText[256] = "";

[[noreturn]] void onFatalError(const char* proc, const char* err) {
    std::snprintf(gText, sizeof gText, "libsensors: fatal error in %s: %s", proc ? proc : "?", err ? err : "?");
    std::fprintf(stderr, "korvex sensor library: %s; sensor readings are switched off\n", gText);
    gBroken = true;
    if (gArmed) {
        gArmed = false;
        std::longjmp(gReturnPoint, 1);
    }
    // Raised outside any guarded call: there is no safe place to return to.
    std::fprintf(stderr, "korvex sensor library: fatal error outside a guarded call, aborting\n");
    std::abort();
}

}  // namespace

void installFatalErrorHandler() { sensors_fatal_error = onFatalError; }

bool runGuarded(void (*call)(void*), void* context) {
    if (gBroken) return false;
    if (setjmp(gReturnPoint) != 0) return false;
    gArmed = true;
    call(context);
    gArmed = false;
    return true;
}

bool libsensorsBroken() { return gBroken; }

std::string fatalErrorText() { return gText; }

}  // namespace kvx::lmsensors
