#pragma once
// The exported operations of a sensor library are called from C: an exception
// that left one would end the program (std::terminate). Each operation runs
// its body through answerOrFallback(), which turns any exception into the
// operation's "no reading" answer and says so on standard error, once per
// operation so that a poll every few seconds does not flood the log.
#include <cstdio>
#include <exception>
#include <utility>

namespace kvx::c_boundary {

// Prints "<library>: <operation> failed: <what>" the first time `operation`
// fails; `reported` is that operation's own flag.
inline void reportOnce(bool& reported, const char* library, const char* operation, const char* what) noexcept {
    if (reported) return;
    reported = true;
    std::fprintf(stderr, "%s: %s failed: %s; it answers \"no reading\" instead\n", library, operation, what);
}

// Runs body(); on an exception reports it and returns `fallback` instead.
template <class T, class Body>
T answerOrFallback(bool& reported, const char* library, const char* operation, T fallback, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (const std::exception& e) {
        reportOnce(reported, library, operation, e.what());
    } catch (...) {
        reportOnce(reported, library, operation, "unknown exception");
    }
    return fallback;
}

// The same for operations without an answer.
template <class Body>
void runOrReport(bool& reported, const char* library, const char* operation, Body&& body) noexcept {
    try {
        std::forward<Body>(body)();
    } catch (const std::exception& e) {
        reportOnce(reported, library, operation, e.what());
    } catch (...) {
        reportOnce(reported, library, operation, "unknown exception");
    }
}

}  // namespace kvx::c_boundary

// In an exported operation: KVX_ANSWER(fallback, expression-body) keeps one
// "reported" flag per operation.
#define KVX_ANSWER(library, fallback, ...)                                                   \
    do {                                                                                     \
        static bool kvxReported = false;                                                     \
        return ::kvx::c_boundary::answerOrFallback(kvxReported, library, __func__, fallback, \
                                                   [&] { return __VA_ARGS__; });             \
    } while (false)

#define KVX_RUN(library, ...)                                                                 \
    do {                                                                                      \
        static bool kvxReported = false;                                                      \
        ::kvx::c_boundary::runOrReport(kvxReported, library, __func__, [&] { __VA_ARGS__; }); \
    } while (false)
