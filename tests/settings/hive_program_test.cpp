// The real program on a settings file in another encoding: what a person sees
// in the dump, on standard error and on disk afterwards.
#include "tests/blackbox/run_program.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using namespace kvx::test;

const std::string kSim = std::string(KVX_BIN_DIR) + "/libkvx-sim.so";

ProgramRun runIn(const fs::path& folder, std::vector<std::string> more) {
    std::vector<std::string> args = {"--headless",       "--virtual-time",
                                     "--run-for",        "5",
                                     "--config-dir",     (folder / "config").string(),
                                     "--program-folder", (folder / "program").string(),
                                     "--sensor-library", kSim};
    args.insert(args.end(), more.begin(), more.end());
    return runKorvex(args);
}

// Guards against a Latin-1 byte in user.reg reaching the dump as invalid JSON, loading silently,
// or being lost on the next save.
TEST(HiveProgram, ANameInAnotherEncodingIsReportedShownAsReplacementAndKeptAside) {
    const fs::path folder = makeTempFolder();
    writeFile(folder / "script.txt", "at 0 answer Form3 \"&Yes\"\nat 0 answer Form2 \"&Ok\"\n");
    ASSERT_EQ(runIn(folder, {"--script", (folder / "script.txt").string()}).exitCode, 0);
    std::string hive = readFile(folder / "config/user.reg");
    const std::string stored = "\"VUM 1 Name\"=\"Sensor 1\"";
    const std::size_t at = hive.find(stored);
    ASSERT_NE(at, std::string::npos) << "the first run saves an ASCII file";
    const std::string edited = hive.replace(at, stored.size(),
                                            "\"VUM 1 Name\"=\"Mobo \xB0"
                                            "C\"");
    writeFile(folder / "config/user.reg", edited);

    const ProgramRun run = runIn(folder, {"--dump", (folder / "dump.json").string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("user.reg:" + std::to_string(std::count(edited.begin(), edited.begin() + at, '\n') + 1) +
                           ": bytes that are not UTF-8 read as U+FFFD"),
              std::string::npos)
        << run.err;

    QJsonParseError error{};
    const QJsonDocument dump = QJsonDocument::fromJson(QByteArray::fromStdString(readFile(folder / "dump.json")),
                                                       &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_EQ(dump["controls"]["Form1.Edit4"]["text"].toString(), QString::fromUtf8("Mobo \uFFFDC"));

    std::vector<fs::path> kept;
    for (const auto& entry : fs::directory_iterator(folder / "config")) {
        if (entry.path().filename().string().starts_with("user.reg.bad-")) kept.push_back(entry.path());
    }
    ASSERT_EQ(kept.size(), 1u) << "the old file is kept aside before the save replaces it";
    EXPECT_EQ(readFile(kept[0]), edited);
    fs::remove_all(folder);
}

}  // namespace
