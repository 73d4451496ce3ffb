// Black-box: the `sensors` command and libkvx.so read the same fake tree in
// the same kind of namespace; the library must report what `sensors -u` shows.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "demo_board.h"
#include "library_probe.h"
#include "sensors_output.h"

using namespace kvx::lmsensors::testing;

TEST(LmsensorsBlackBox, LibraryReportsWhatSensorsShows) {
    FakeSysfsTree tree;
    buildDemoBoard(tree);
    // Two inputs that fail, so "no reading" is compared too.
    tree.addChip({"lm75", "0-004c", "i2c", {{"temp1_input", kFailWithEio}}, -1});
    std::filesystem::remove(tree.hwmonDir(5) + "/fan2_input");
    const NamespaceRun sensors = runInFakeSysfs(tree.root(), [] { return commandOutput("sensors -u"); });
    if (sensors.skipped)
        GTEST_SKIP() << "SKIPPED, NOT PASSED: this machine refuses a private mount namespace: " << sensors.output;
    ASSERT_TRUE(sensors.ok) << sensors.output;
    const auto shownValues = parseSensorsRaw(sensors.output);
    ASSERT_FALSE(shownValues.empty()) << "sensors -u printed nothing:\n" << sensors.output;

    const LibraryAnswers answers = probeLibrary(tree);
    ASSERT_TRUE(answers.ok) << answers.error;
    const auto& lib = answers.values;

    const std::string chip = "w83781d-isa-0290";
    const char* rails[] = {"core0", "core1", "p33", "p5", "p12", "n12", "n5"};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(rails[i]);
        const auto expected = shownValue(shownValues, chip + "/in" + std::to_string(i) + "_input");
        ASSERT_TRUE(expected);
        EXPECT_NEAR(std::stod(lib.at(rails[i])), *expected, 0.0015);
    }
    for (int i = 1; i <= 3; ++i) {
        SCOPED_TRACE("fan" + std::to_string(i));
        const auto expected = shownValue(shownValues, chip + "/fan" + std::to_string(i) + "_input");
        EXPECT_EQ(std::stoi(lib.at("fan" + std::to_string(i))), expected ? std::lround(*expected) : 255);
    }
    EXPECT_EQ(std::stoi(lib.at("temp1")), std::lround(*shownValue(shownValues, chip + "/temp1_input")));
    EXPECT_NEAR(std::stod(lib.at("wb2")), *shownValue(shownValues, chip + "/temp2_input"), 0.005);
    EXPECT_NEAR(std::stod(lib.at("wb3")), *shownValue(shownValues, chip + "/temp3_input"), 0.005);
    const std::pair<const char*, const char*> lm75s[] = {
        {"lm75.91", "lm75-i2c-0-48"}, {"lm75.95", "lm75-i2c-0-4a"}, {"lm75.99", "lm75-i2c-0-4c"}};
    for (const auto& [slot, lm75] : lm75s) {
        SCOPED_TRACE(slot);
        const auto expected = shownValue(shownValues, std::string(lm75) + "/temp1_input");
        EXPECT_EQ(std::stoi(lib.at(slot)), expected ? std::lround(*expected) : -1);
    }
}

TEST(LmsensorsBlackBox, HelperToolRunsAnyProgramAgainstATree) {
    const std::string tool = KVX_BUILD_DIR "/tests/bin/kvx-fake-sysfs";
    FakeSysfsTree tree;
    const std::string make = tool + " --demo " + tree.root() + " >/dev/null";
    ASSERT_EQ(std::system(make.c_str()), 0);
    const std::string run = tool + " " + tree.root() + " -- cat /sys/class/hwmon/hwmon5/name /etc/sensors3.conf";
    FILE* pipe = popen(run.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    const int status = pclose(pipe);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "SKIPPED, NOT PASSED: this machine refuses a private mount namespace";
    ASSERT_EQ(status, 0) << out;
    EXPECT_EQ(out.rfind("w83781d\n", 0), 0u) << out;
    EXPECT_NE(out.find("compute in4"), std::string::npos) << out;
}
