// The metrics file of real korvex runs, read by the real node_exporter and promtool.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <thread>

#include "run_program.h"

using namespace kvx::test;

namespace {

const std::string kSim = std::string(KVX_BIN_DIR) + "/libkvx-sim.so";
const char* kNodeExporter = "/usr/bin/prometheus-node-exporter";
const char* kPromtool = "/usr/bin/promtool";

// The samples of an exposition text, by their name and labels as written ("korvex_fan_rpm{fan=\"1\",...}").
std::map<std::string, std::string> samples(const std::string& text) {
    std::map<std::string, std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        const auto blank = line.rfind(' ');
        out[line.substr(0, blank)] = line.substr(blank + 1);
    }
    return out;
}

std::vector<std::string> headlessRun(const std::string& folder, const std::string& scenario, double seconds,
                                     const std::string& metricsDir) {
    return {"--headless",       "--virtual-time",
            "--run-for",        std::to_string(seconds),
            "--config-dir",     folder + "/config",
            "--program-folder", folder + "/program",
            "--sensor-library", kSim,
            "--scenario",       std::string(KVX_TEST_DATA_DIR) + "/" + scenario,
            "--metrics-dir",    metricsDir,
            "--dump",           folder + "/dump.json"};
}

// A TCP port on the loopback that nothing listens on at this moment.
int freePort() {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = -1;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(fd);
    return port;
}

// GET `path` from the loopback port over plain HTTP/1.0; the body, or nothing when no server answers.
std::optional<std::string> httpGet(int port, const std::string& path) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return std::nullopt;
    }
    const std::string request = "GET " + path + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
    if (write(fd, request.data(), request.size()) != static_cast<ssize_t>(request.size())) {
        close(fd);
        return std::nullopt;
    }
    std::string response;
    char buffer[65536];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) response.append(buffer, static_cast<size_t>(n));
    close(fd);
    const auto body = response.find("\r\n\r\n");
    if (response.rfind("HTTP/1.", 0) != 0 || body == std::string::npos) return std::nullopt;
    return response.substr(body + 4);
}

// node_exporter with only the textfile collector, for the length of one test.
class NodeExporter {
public:
    NodeExporter(const std::string& textfileDir, const std::string& logFile) : port_(freePort()) {
        pid_ = fork();
        if (pid_ == 0) {
            freopen(logFile.c_str(), "w", stderr);
            const std::string listen = "--web.listen-address=127.0.0.1:" + std::to_string(port_);
            const std::string dir = "--collector.textfile.directory=" + textfileDir;
            execl(kNodeExporter, kNodeExporter, "--collector.disable-defaults", "--collector.textfile", dir.c_str(),
                  listen.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~NodeExporter() {
        if (pid_ > 0) kill(pid_, SIGTERM), waitpid(pid_, nullptr, 0);
    }
    // /metrics once the server answers (it needs a moment to start listening).
    std::optional<std::string> scrape() const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline) {
            if (auto body = httpGet(port_, "/metrics")) return body;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return std::nullopt;
    }

private:
    int port_;
    pid_t pid_ = -1;
};

// promtool's verdict on a metrics file: its exit code and what it printed.
std::pair<int, std::string> promtoolCheck(const std::string& file) {
    const std::string command = std::string(kPromtool) + " check metrics < '" + file + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

QJsonArray messagesOf(const std::string& dumpFile) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(readFile(dumpFile))).object()["messages"].toArray();
}

}  // namespace

// Guards against: a metrics file the textfile collector rejects (bad escaping, missing TYPE,
// a half-written file), and readings that reach Prometheus with other values than the board's.
TEST(MetricsBlackBox, NodeExporterServesTheScenarioValuesAndPromtoolAcceptsTheText) {
    for (const char* tool : {kNodeExporter, kPromtool})
        if (access(tool, X_OK) != 0)
            GTEST_SKIP() << "NOT RUN: " << tool
                         << " is missing; install prometheus-node-exporter and prometheus (scripts/bootstrap does)";
    const std::string folder = makeTempFolder();
    const std::string textfile = folder + "/textfile";
    auto run = runKorvex(headlessRun(folder, "metrics-board.txt", 35, textfile));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string prom = textfile + "/korvex.prom";

    auto [code, verdict] = promtoolCheck(prom);
    EXPECT_EQ(code, 0) << verdict << readFile(prom);
    EXPECT_EQ(verdict, "") << "promtool's lint found something";

    NodeExporter exporter(textfile, folder + "/node_exporter.log");
    const std::optional<std::string> body = exporter.scrape();
    ASSERT_TRUE(body) << "node_exporter did not answer: " << readFile(folder + "/node_exporter.log");
    const auto scraped = samples(*body);
    EXPECT_EQ(scraped.count("node_textfile_scrape_error"), 1u);
    EXPECT_EQ(scraped.at("node_textfile_scrape_error"), "0") << *body;

    // Start-up polls at once, then every 10 s: four polls in 35 s.
    const std::map<std::string, std::string> expected = {
        {R"(korvex_temperature_celsius{name="Sensor 1",sensor="1",source="sim"})", "47"},
        {R"(korvex_voltage_volts{rail="core"})", "1.75"},
        {R"(korvex_voltage_volts{rail="+3.3"})", "3.31"},
        {R"(korvex_voltage_volts{rail="-12"})", "-11.9"},
        {R"(korvex_voltage_out_of_band{rail="core"})", "1"},
        {R"(korvex_voltage_out_of_band{rail="+12"})", "0"},
        {R"(korvex_fan_rpm{fan="1",name="Fan 1"})", "4500"},
        {R"(korvex_fan_rpm{fan="2",name="Fan 2"})", "2250"},
        {R"(korvex_alarm_armed{alarm="sensor1"})", "1"},
        {R"(korvex_alarms_total{alarm="voltage"})", "1"},
        {R"(korvex_alarm_armed{alarm="voltage"})", "0"},
        {"korvex_polls_total", "4"},
        {R"(korvex_sensor_library_info{chip="w83781d",library=")" + kSim + "\"}", "1"},
    };
    for (const auto& [name, value] : expected) {
        auto found = scraped.find(name);
        if (found == scraped.end()) ADD_FAILURE() << "no sample " << name << " in\n" << *body;
        else EXPECT_EQ(found->second, value) << name;
    }
    // Switched-off sensors and a fan without a reading give no sample, not a zero.
    for (const char* absent : {R"(korvex_temperature_celsius{name="Sensor 2",sensor="2",source="sim"})",
                               R"(korvex_fan_rpm{fan="3",name="Fan 3"})"})
        EXPECT_EQ(scraped.count(absent), 0u) << absent;
    std::filesystem::remove_all(folder);
}

// Guards against: metrics that miss an alarm acting, or keep showing it armed afterwards.
// Sensor 1 reaches its 50 °C limit at 60 s: a run that ends at 50 s and one that ends at 70 s.
TEST(MetricsBlackBox, AnAlarmThatActsIsNoLongerArmedAndIsCounted) {
    std::map<std::string, std::string> before, after;
    for (auto [seconds, into] : {std::pair{50.0, &before}, std::pair{70.0, &after}}) {
        const std::string folder = makeTempFolder();
        auto run = runKorvex(headlessRun(folder, "alarm-board.txt", seconds, folder + "/textfile"));
        ASSERT_EQ(run.exitCode, 0) << run.err;
        *into = samples(readFile(folder + "/textfile/korvex.prom"));
        std::filesystem::remove_all(folder);
    }
    const std::string armed = R"(korvex_alarm_armed{alarm="sensor1"})";
    const std::string total = R"(korvex_alarms_total{alarm="sensor1"})";
    EXPECT_EQ(before[armed], "1");
    EXPECT_EQ(before[total], "0");
    EXPECT_EQ(after[armed], "0");
    EXPECT_EQ(after[total], "1");
    EXPECT_EQ(after[R"(korvex_temperature_celsius{sensor="1",name="Sensor 1",source="sim"})"], "50");
}

// Guards against: a metrics folder that cannot be written stopping the monitoring, or
// raising a message at every poll.
TEST(MetricsBlackBox, AFolderThatCannotBeWrittenIsReportedOnceAndPollingGoesOn) {
    const std::string folder = makeTempFolder();
    writeFile(folder + "/not-a-folder", "");
    auto run = runKorvex(headlessRun(folder, "alarm-board.txt", 90, folder + "/not-a-folder/textfile"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    int reports = 0;
    for (const auto& message : messagesOf(folder + "/dump.json"))
        if (message.toObject()["text"].toString().contains("metrics file")) ++reports;
    EXPECT_EQ(reports, 1) << run.err;
    // Polling went on: sensor 1's gauge shows the 71 °C that the board reads from 80 s on.
    const QJsonObject dump = QJsonDocument::fromJson(QByteArray::fromStdString(readFile(folder + "/dump.json")))
                                 .object();
    EXPECT_EQ(dump["controls"].toObject()["Form1.VUMeterWB1"].toObject()["position"].toDouble(), 71.0);
    std::filesystem::remove_all(folder);
}

// Guards against: the setting under the "Metrics" key being ignored, and the desktop run not
// writing the file (it polls through Qt's timers, not the headless loop).
TEST(MetricsBlackBox, TheDesktopRunWritesTheFolderNamedInTheSettings) {
    const std::string folder = makeTempFolder();
    mkdir((folder + "/config").c_str(), 0700);
    writeFile(folder + "/config/user.reg",
              "Windows Registry Editor Version 5.00\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\Korvex\\Metrics]\r\n"
              "\"Folder\"=\"" +
                  folder + "/from-settings\"\r\n\r\n");
    writeFile(folder + "/script.txt",
              "at 0 answer Form9 \"&Ok\"\nat 0 answer Form3 \"&Yes\"\nat 0 answer Form2 \"&Ok\"\n"
              "at 0 answer Form6 \"&Ok\"\n");
    setenv("XDG_CONFIG_HOME", (folder + "/xdg-config").c_str(), 1);
    auto run = runKorvex({"--run-for", "2", "--config-dir", folder + "/config", "--program-folder", folder + "/program",
                          "--sensor-library", kSim, "--scenario", std::string(KVX_TEST_DATA_DIR) + "/metrics-board.txt",
                          "--script", folder + "/script.txt"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto written = samples(readFile(folder + "/from-settings/korvex.prom"));
    EXPECT_EQ(written.count("korvex_polls_total"), 1u) << run.err;
    EXPECT_EQ(written.at(R"(korvex_temperature_celsius{sensor="1",name="Sensor 1",source="sim"})"), "47");
    std::filesystem::remove_all(folder);
}
