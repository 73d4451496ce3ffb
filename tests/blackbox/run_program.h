#pragma once
#include <string>
#include <vector>

namespace kvx::test {

struct ProgramRun {
    int exitCode = -1;
    std::string err;
};

// Runs the built korvex with `args` (no shell), standard input closed, in a
// runtime folder of its own (KVX_TEST_RUNTIME_DIR, when set, is shared); waits
// for it unless `pidOut` is given, in which case it returns at once with the
// child running and its stderr sent to `errFile`.
ProgramRun runKorvex(const std::vector<std::string>& args);
int startKorvex(const std::vector<std::string>& args, const std::string& errFile);
ProgramRun waitKorvex(int pid, const std::string& errFile);

// As runKorvex, but as user "nobody" when the tests run as root, for runs that
// need a folder the program cannot write (root writes anywhere). The exit code
// is kCouldNotRunUnprivileged when that user could not be taken on or cannot
// run the program (a build under a private home folder, say).
inline constexpr int kCouldNotRunUnprivileged = 126;
ProgramRun runKorvexUnprivileged(const std::vector<std::string>& args);
// Hands `path` and everything below it to "nobody" when the tests run as root.
void giveToUnprivileged(const std::string& path);

// A fresh temporary folder for one test.
std::string makeTempFolder();
void writeFile(const std::string& path, const std::string& text);
std::string readFile(const std::string& path);

}  // namespace kvx::test
