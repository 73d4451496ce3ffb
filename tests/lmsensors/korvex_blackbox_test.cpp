// Black-box: the whole program, loading libkvx.so, runs headless on the demo
// board's fake tree; every rail, fan and temperature text it shows must match
// what `sensors -u` prints for the same tree in the same namespace.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "demo_board.h"
#include "sensors_output.h"
#include "tests/blackbox/run_program.h"

using namespace kvx::lmsensors::testing;

namespace {

// sensors -u prints three decimals; figures are compared as exact thousandths.
long long thousandths(double printed) { return std::llround(printed * 1000.0); }

std::string withTwoDigits(long long hundredths) {
    const long long magnitude = std::llabs(hundredths);
    std::string text = (hundredths < 0 ? "-" : "") + std::to_string(magnitude / 100) + ".";
    text += static_cast<char>('0' + magnitude / 10 % 10);
    text += static_cast<char>('0' + magnitude % 10);
    return text;
}

// The rail texts that fit a printed voltage: ": " and 2 decimals, half away
// from zero. A printed third decimal of 5 is itself rounded, so the true
// value may lie on either side of the half: both neighbours fit then.
std::vector<std::string> railTextsFor(double printed) {
    const long long t = thousandths(printed);
    const long long sign = t < 0 ? -1 : 1;
    const long long down = std::llabs(t) / 10, rest = std::llabs(t) % 10;
    std::vector<long long> hundredths;
    if (rest == 5) hundredths = {down, down + 1};
    else hundredths = {rest > 5 ? down + 1 : down};
    std::vector<std::string> texts;
    texts.reserve(hundredths.size());
    for (long long h : hundredths) texts.push_back(": " + withTwoDigits(h == 0 ? 0 : sign * h));
    return texts;
}

// Temperatures here have no compute lines, so sensors' thousandths are the
// kernel's exact millidegrees.
long long wholeHalfAway(double printed) {
    const long long t = thousandths(printed);
    return (t < 0 ? -1 : 1) * ((std::llabs(t) + 500) / 1000);
}

long long wholeHalfEven(double printed) {
    const long long t = thousandths(printed);
    long long whole = t / 1000;
    const long long rest = std::llabs(t % 1000);
    if (rest > 500 || (rest == 500 && whole % 2 != 0)) whole += t < 0 ? -1 : 1;
    return whole;
}

// The figure without trailing zeros ("40.500" -> "40.5"): how the program
// writes a reading that is an exact binary fraction, as this board's are.
std::string plainFigure(double printed) {
    const long long t = thousandths(printed);
    std::string text = (t < 0 ? "-" : "") + std::to_string(std::llabs(t) / 1000);
    std::string fraction = std::to_string(1000 + std::llabs(t) % 1000).substr(1);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    return fraction.empty() ? text : text + "." + fraction;
}

QJsonObject control(const QJsonObject& dump, const char* name) {
    return dump["controls"].toObject()[name].toObject();
}

}  // namespace

TEST(LmsensorsKorvexBlackBox, ProgramShowsWhatSensorsPrints) {
    FakeSysfsTree tree;
    buildDemoBoard(tree);
    // Temperatures that tell the program's roundings apart: sensor 1 is the
    // library's whole number (35.75 -> 36), sensor 3 rounds halves to even
    // (38.5 -> 38, not 39); a fan without an input shows "not available".
    const std::string hwmon = tree.hwmonDir(5);
    kvx::test::writeFile(hwmon + "/temp1_input", "35750\n");
    kvx::test::writeFile(hwmon + "/temp3_input", "38500\n");
    std::filesystem::remove(hwmon + "/fan2_input");

    const std::string folder = kvx::test::makeTempFolder();
    const std::string script = folder + "/script.txt";
    const std::string dumpFile = folder + "/dump.json";
    const std::string sensorsFile = folder + "/sensors.txt";
    kvx::test::writeFile(script, "at 0 select Sensor2ComboBox 2\nat 0 select Sensor3ComboBox 3\n");
    const std::vector<std::string> args = {
        "--headless", "--virtual-time", "--run-for", "30", "--sensor-library", std::string(KVX_BIN_DIR) + "/libkvx.so",
        "--config-dir", folder + "/config", "--program-folder", folder + "/program", "--script", script,
        "--dump", dumpFile};

    const NamespaceRun run = runInFakeSysfs(tree.root(), [&]() -> std::string {
        kvx::test::writeFile(sensorsFile, commandOutput("sensors -u"));
        const kvx::test::ProgramRun korvex = kvx::test::runKorvex(args);
        return std::to_string(korvex.exitCode) + "\n" + korvex.err;
    });
    if (run.skipped)
        GTEST_SKIP() << "SKIPPED, NOT PASSED: this machine refuses a private mount namespace: " << run.output;
    ASSERT_TRUE(run.ok) << run.output;
    ASSERT_EQ(run.output.substr(0, run.output.find('\n')), "0") << "korvex failed:\n" << run.output;

    const auto shown = parseSensorsRaw(kvx::test::readFile(sensorsFile));
    ASSERT_FALSE(shown.empty()) << "sensors -u printed nothing";
    QJsonParseError parseError;
    const QJsonObject dump =
        QJsonDocument::fromJson(QByteArray::fromStdString(kvx::test::readFile(dumpFile)), &parseError).object();
    ASSERT_EQ(parseError.error, QJsonParseError::NoError) << parseError.errorString().toStdString();

    const std::string chip = "w83781d-isa-0290/";
    const std::pair<const char*, const char*> rails[] = {
        {"Form1.Label10", "in0"}, {"Form1.Label9", "in2"}, {"Form1.Label5", "in3"},
        {"Form1.Label6", "in6"},  {"Form1.Label7", "in4"}, {"Form1.Label8", "in5"}};
    for (const auto& [label, input] : rails) {
        SCOPED_TRACE(label);
        const auto volts = shownValue(shown, chip + input + "_input");
        ASSERT_TRUE(volts) << input << " missing from sensors -u";
        const std::string text = control(dump, label)["caption"].toString().toStdString();
        const auto fitting = railTextsFor(*volts);
        EXPECT_NE(std::find(fitting.begin(), fitting.end(), text), fitting.end())
            << "shows \"" << text << "\", sensors prints " << *volts;
    }

    const char* fanLabels[] = {"Form1.FMFan1RPMLabel", "Form1.FMFan2RPMLabel", "Form1.FMFan3RPMLabel"};
    for (int fan = 1; fan <= 3; ++fan) {
        SCOPED_TRACE(fanLabels[fan - 1]);
        const auto rpm = shownValue(shown, chip + "fan" + std::to_string(fan) + "_input");
        const std::string expected = rpm ? std::to_string(std::llround(*rpm)) : "not available";
        EXPECT_EQ(control(dump, fanLabels[fan - 1])["caption"].toString().toStdString(), expected);
    }
    EXPECT_FALSE(shownValue(shown, chip + "fan2_input")) << "the tree's fan 2 should have no reading";

    auto centre = [&](const char* gauge) { return control(dump, gauge)["centerLabel"].toString().toStdString(); };
    const auto temp1 = shownValue(shown, chip + "temp1_input");
    const auto temp2 = shownValue(shown, chip + "temp2_input");
    const auto temp3 = shownValue(shown, chip + "temp3_input");
    ASSERT_TRUE(temp1 && temp2 && temp3);
    EXPECT_EQ(centre("Form1.VUMeterWB1"), std::to_string(wholeHalfAway(*temp1)) + "°C");
    EXPECT_EQ(centre("Form1.VUMeterLM75"), plainFigure(*temp2) + "°C");
    EXPECT_EQ(centre("Form1.VUMeterWB2"), std::to_string(wholeHalfEven(*temp3)) + "°C");
}

// Guards against an abort (std::stoi out of range thrown across the C boundary)
// at every start on an SMBus override that is no adapter number: the program
// reports the file and line and ends with exit code 2.
TEST(LmsensorsKorvexBlackBox, ImpossibleSmbusOverrideIsOneLineStartupError) {
    const std::pair<const char*, const char*> cases[] = {
        {"i2c-99999999999", "user.reg:5: sensor override \"SMBus\" = \"i2c-99999999999\": the adapter number is out of range"},
        {"i2c-4x", "user.reg:5: sensor override \"SMBus\" must be i2c-N or none, not \"i2c-4x\""},
    };
    for (const auto& [value, expected] : cases) {
        SCOPED_TRACE(value);
        const std::string folder = kvx::test::makeTempFolder();
        std::filesystem::create_directories(folder + "/config");
        kvx::test::writeFile(folder + "/config/user.reg",
                             "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Korvex\\Sensors]\n"
                             "\"Temp2\"=\"temp2\"\n\"SMBus\"=\"" + std::string(value) + "\"\n");
        const kvx::test::ProgramRun run = kvx::test::runKorvex(
            {"--headless", "--virtual-time", "--run-for", "5", "--sensor-library", std::string(KVX_BIN_DIR) + "/libkvx.so",
             "--config-dir", folder + "/config", "--program-folder", folder + "/program"});
        EXPECT_EQ(run.exitCode, 2) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_NE(run.err.find(folder + "/config/" + expected), std::string::npos) << run.err;
    }
}
