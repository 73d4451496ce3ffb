#include "run_program.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kvx::test {

std::string makeTempFolder() {
    char pattern[] = "/tmp/korvex-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    return made ? made : "/tmp";
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

namespace {

constexpr uid_t kNobody = 65534;

int startKorvexAs(const std::vector<std::string>& args, const std::string& errFile, bool unprivileged) {
    std::string program = std::string(KVX_BIN_DIR) + "/korvex";
    // Runs of different tests must not meet as "another copy": each gets its own
    // runtime folder unless its test shares one on purpose.
    const char* shared = std::getenv("KVX_TEST_RUNTIME_DIR");
    std::string runtime = shared ? shared : makeTempFolder();
    if (unprivileged && !shared) giveToUnprivileged(runtime);
    pid_t pid = fork();
    if (pid == 0) {
        int devnull = open("/dev/null", O_RDONLY);
        dup2(devnull, 0);
        int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(err, 2);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        if (unprivileged && getuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
            _exit(kCouldNotRunUnprivileged);
        if (unprivileged && access(program.c_str(), X_OK) != 0) _exit(kCouldNotRunUnprivileged);
        std::vector<char*> argv{program.data()};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    return pid;
}

}  // namespace

int startKorvex(const std::vector<std::string>& args, const std::string& errFile) {
    return startKorvexAs(args, errFile, false);
}

void giveToUnprivileged(const std::string& path) {
    if (getuid() != 0) return;
    std::error_code ignored;
    if (lchown(path.c_str(), kNobody, kNobody) != 0) return;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path, ignored))
        if (lchown(entry.path().c_str(), kNobody, kNobody) != 0) return;
}

ProgramRun runKorvexUnprivileged(const std::vector<std::string>& args) {
    std::string folder = makeTempFolder();
    giveToUnprivileged(folder);
    std::string errFile = folder + "/stderr.txt";
    return waitKorvex(startKorvexAs(args, errFile, true), errFile);
}

ProgramRun waitKorvex(int pid, const std::string& errFile) {
    ProgramRun run;
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.err = readFile(errFile);
    return run;
}

ProgramRun runKorvex(const std::vector<std::string>& args) {
    std::string errFile = makeTempFolder() + "/stderr.txt";
    return waitKorvex(startKorvex(args, errFile), errFile);
}

}  // namespace kvx::test
