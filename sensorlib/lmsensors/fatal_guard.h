#pragma once
// libsensors reports running out of memory through sensors_fatal_error and
// expects the handler never to return; its default handler exits the process,
// which would end the monitor without a word. Every call into libsensors goes
// through runGuarded(): the handler installed here prints the error and jumps
// back to the guard, which marks libsensors unusable. Its state is then half
// built, so nothing calls libsensors again (not even sensors_cleanup) and the
// library answers "no reading" from then on.
#include <string>
#include <type_traits>

namespace kvx::lmsensors {

// Installs the fatal-error handler; idempotent.
void installFatalErrorHandler();

// Runs call(context). Returns false when libsensors raised a fatal error during
// the call. Code run inside must not own objects with destructors that matter
// (the jump back skips them): call libsensors and store plain values only.
bool runGuarded(void (*call)(void*), void* context);

template <class F>
bool guarded(F&& body) {
    return runGuarded([](void* c) { (*static_cast<std::remove_reference_t<F>*>(c))(); }, &body);
}

// True once a fatal error happened; libsensors must not be called again.
bool libsensorsBroken();

// The text of the fatal error, empty when none happened.
std::string fatalErrorText();

}  // namespace kvx::lmsensors
