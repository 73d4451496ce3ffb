// The metrics file of real korvex runs, read by the real node_exporter and promtool.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "blackbox.h"
#include "x_session.h"

using namespace kvx::test;

namespace {

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

// A headless run on data/`scenario` that writes its metrics into `metricsDir`.
std::vector<std::string> metricsRun(const RunFolder& f, const char* scenario, const char* seconds,
                                    const std::string& metricsDir) {
    return f.headless(seconds,
                      {"--scenario", dataFile(scenario), "--metrics-dir", metricsDir, "--dump", f.file("dump.json")});
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

// GET /metrics from the loopback port over plain HTTP/1.0 (bash's /dev/tcp); the body, or
// nothing when no server answers.
std::optional<std::string> scrapeOnce(int port) {
    std::string response;
    const std::string script = "exec 3<>/dev/tcp/127.0.0.1/" + std::to_string(port) +
                               " && printf 'GET /metrics HTTP/1.0\\r\\nHost: 127.0.0.1\\r\\n\\r\\n' >&3 && cat <&3";
    if (runTool({"bash", "-c", script}, &response) != 0) return std::nullopt;
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
            if (auto body = scrapeOnce(port_)) return body;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return std::nullopt;
    }

private:
    int port_;
    pid_t pid_ = -1;
};

}  // namespace

// Guards against: a metrics file the textfile collector rejects (bad escaping, missing TYPE,
// a half-written file), and readings that reach Prometheus with other values than the board's.
TEST(MetricsBlackBox, NodeExporterServesTheScenarioValuesAndPromtoolAcceptsTheText) {
    for (const char* tool : {kNodeExporter, kPromtool})
        if (access(tool, X_OK) != 0)
            GTEST_SKIP() << "NOT RUN: " << tool
                         << " is missing; install prometheus-node-exporter and prometheus (scripts/bootstrap does)";
    RunFolder f;
    const std::string textfile = f.file("textfile");
    auto run = runKorvex(metricsRun(f, "metrics-board.txt", "35", textfile));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string prom = textfile + "/korvex.prom";

    std::string verdict;
    EXPECT_EQ(runTool({"sh", "-c", std::string(kPromtool) + " check metrics < '" + prom + "' 2>&1"}, &verdict), 0)
        << verdict << readFile(prom);
    EXPECT_EQ(verdict, "") << "promtool's lint found something";

    NodeExporter exporter(textfile, f.file("node_exporter.log"));
    const std::optional<std::string> body = exporter.scrape();
    ASSERT_TRUE(body) << "node_exporter did not answer: " << readFile(f.file("node_exporter.log"));
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
        {R"(korvex_alarms_total{alarm="sensor1"})", "0"},
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
    std::filesystem::remove_all(f.path);
}

// Guards against: a metrics folder that cannot be written stopping the monitoring, or
// raising a message at every poll.
TEST(MetricsBlackBox, AFolderThatCannotBeWrittenIsReportedOnceAndPollingGoesOn) {
    RunFolder f;
    writeFile(f.file("not-a-folder"), "");
    auto run = runKorvex(metricsRun(f, "alarm-board.txt", "90", f.file("not-a-folder/textfile")));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    int reports = 0;
    for (const auto& message : f.dump()["messages"].toArray())
        if (message.toObject()["text"].toString().contains("metrics file")) ++reports;
    EXPECT_EQ(reports, 1) << run.err;
    // Polling went on: sensor 1's gauge shows the 71 °C that the board reads from 80 s on.
    EXPECT_EQ(control(f.dump(), "Form1.VUMeterWB1")["position"].toDouble(), 71.0);
    std::filesystem::remove_all(f.path);
}

// Guards against: the setting under the "Metrics" key being ignored, and the desktop run not
// writing the file (it polls through Qt's timers, not the headless loop).
TEST(MetricsBlackBox, TheDesktopRunWritesTheFolderNamedInTheSettings) {
    RunFolder f;
    mkdir(f.file("config").c_str(), 0700);
    writeFile(f.file("config/user.reg"),
              "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Korvex\\Metrics]\r\n"
              "\"Folder\"=\"" +
                  f.file("from-settings") + "\"\r\n\r\n");
    writeFile(f.file("script.txt"),
              "at 0 answer Form9 \"&Ok\"\nat 0 answer Form3 \"&Yes\"\nat 0 answer Form2 \"&Ok\"\n"
              "at 0 answer Form6 \"&Ok\"\n");
    ScopedEnv config("XDG_CONFIG_HOME", f.file("xdg-config"));
    auto run = runKorvex(
        f.args({"--run-for", "2", "--scenario", dataFile("metrics-board.txt"), "--script", f.file("script.txt")}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto written = samples(readFile(f.file("from-settings/korvex.prom")));
    EXPECT_EQ(written.count("korvex_polls_total"), 1u) << run.err;
    EXPECT_EQ(written.at(R"(korvex_temperature_celsius{sensor="1",name="Sensor 1",source="sim"})"), "47");
    std::filesystem::remove_all(f.path);
}
