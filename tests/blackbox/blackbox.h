// What the black-box tests share: korvex's usual command lines, its dump read
// with Qt's JSON parser, and the environment of the programs a test starts.
#pragma once
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "run_program.h"

namespace kvx::test {

inline const std::string kSim = std::string(KVX_BIN_DIR) + "/libkvx-sim.so";
inline std::string dataFile(const std::string& name) { return std::string(KVX_TEST_DATA_DIR) + "/" + name; }

inline QJsonObject readDump(const std::string& path) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(readFile(path))).object();
}
inline QJsonObject control(const QJsonObject& dump, const QString& name) {
    return dump["controls"].toObject()[name].toObject();
}
inline QString caption(const QJsonObject& dump, const QString& name) {
    return control(dump, name)["caption"].toString();
}

// The lines of a file written with CR LF line ends.
inline std::vector<std::string> crlfLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

// The text of `path` once it has some, or "" after `timeoutMs` (for what a detached program writes).
inline std::string waitForText(const std::string& path, int timeoutMs = 5000) {
    for (int waited = 0; waited < timeoutMs && readFile(path).empty(); waited += 50)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return readFile(path);
}

// The exit code of a started program, or nullopt when it has not ended within `timeoutMs`.
inline std::optional<int> endWithin(int& pid, int timeoutMs = 15000) {
    int status = 0;
    for (int waited = 0; waitpid(pid, &status, WNOHANG) == 0; waited += 10) {
        if (waited > timeoutMs) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Sets environment variables for the programs a test starts; puts the old values back.
class ScopedEnv {
public:
    ScopedEnv() = default;
    ScopedEnv(const char* name, const std::string& value) { set(name, value); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    void set(const char* name, const std::string& value) {
        const char* old = std::getenv(name);
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second) setenv(it->first.c_str(), it->second->c_str(), 1);
            else unsetenv(it->first.c_str());
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// A fresh folder for one test's runs: the settings in config/, the logs in program/.
struct RunFolder {
    std::string path = makeTempFolder();
    std::string file(const std::string& name) const { return path + "/" + name; }
    // The folders of this test and the simulated board, then `more`.
    std::vector<std::string> args(std::vector<std::string> more = {}) const {
        std::vector<std::string> all = {"--config-dir",  file("config"),     "--program-folder",
                                        file("program"), "--sensor-library", kSim};
        all.insert(all.end(), more.begin(), more.end());
        return all;
    }
    // A headless run of `seconds` in virtual time.
    std::vector<std::string> headless(const std::string& seconds, std::vector<std::string> more = {}) const {
        more.insert(more.begin(), {"--headless", "--virtual-time", "--run-for", seconds});
        return args(more);
    }
    QJsonObject dump(const std::string& name = "dump.json") const { return readDump(file(name)); }
};

// A headless run of `seconds` in virtual time on the board data/<name>-board.txt
// with the script data/<name>-script.txt, dumped to dump.json at the end (and
// writing its metrics into metrics/ when asked).
struct ScenarioRun : RunFolder {
    ProgramRun run;
    ScenarioRun(const std::string& name, const std::string& seconds, bool writeMetrics = false) {
        std::vector<std::string> more = {"--scenario", dataFile(name + "-board.txt"),
                                         "--script",   dataFile(name + "-script.txt"),
                                         "--dump",     file("dump.json")};
        if (writeMetrics) more.insert(more.end(), {"--metrics-dir", file("metrics")});
        run = runKorvex(headless(seconds, more));
    }
};

}  // namespace kvx::test
