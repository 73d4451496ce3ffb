#include "settings/settings_store.h"
#include "platform/linux/posix_file_system.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

namespace kvx::settings {
namespace {

namespace fs = std::filesystem;
using platform::linux_backend::PosixFileSystem;

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

const SettingRow& rowOf(std::string_view name) {
    const SettingRow* row = findSetting(name);
    if (row == nullptr) throw std::invalid_argument(std::string(name));
    return *row;
}

// A value of the row's type that differs from its default, so that a test can
// tell a value that was read from one that kept its default.
SettingValue otherThanDefault(const SettingRow& row) {
    struct Other {
        SettingValue operator()(std::int32_t n) const { return n + 7; }
        SettingValue operator()(bool b) const { return !b; }
        SettingValue operator()(double d) const { return d + 0.25; }
        SettingValue operator()(const std::string& s) const { return s.empty() ? "stored" : s + " stored"; }
        SettingValue operator()(Colour c) const { return Colour{c.value ^ 0x00123456}; }
    };
    return std::visit(Other{}, row.defaultValue);
}

// The controls and state variables of a test: one plain map, every setting bound to it.
struct MapBindings {
    std::map<std::string_view, SettingValue> values;
    SettingsBindings bindings;

    MapBindings() {
        for (const SettingRow& row : settingRows()) {
            values[row.name] = row.defaultValue;
            bindings.bind(
                row.name, [this, &row](const SettingValue& v) { values[row.name] = v; },
                [this, &row] { return values.at(row.name); });
        }
    }
    void setAllOtherThanDefault() {
        for (const SettingRow& row : readRows()) values[row.name] = otherThanDefault(row);
    }
};

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kvx-settings-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        path_ = folder_ / "user.reg";
    }
    void TearDown() override { fs::remove_all(folder_); }

    SettingsStore store() { return SettingsStore(files_, path_.string()); }

    // The hive a run with every setting changed from its default leaves behind.
    Hive storedSet() {
        MapBindings state;
        state.setAllOtherThanDefault();
        state.values["KVX Path"] = std::string("/opt/korvex/bin/korvex");
        Hive hive;
        EXPECT_TRUE(writeSettings(hive, state.bindings).ok());
        return hive;
    }

    void saveHive(const Hive& hive) { ASSERT_TRUE(HiveFile(files_, path_.string()).save(hive).ok()); }

    fs::path folder_;
    fs::path path_;
    PosixFileSystem files_;
};

// What reading a stored set, changed in one way, must give.
struct StoredCase {
    const char* what;
    std::function<void(Hive&)> change;
    ReadOutcome outcome;
    int stoppedAt;                                                      // 0: read to the end
    std::vector<std::pair<std::string_view, SettingValue>> exceptions;  // values that are neither stored nor default
};

HiveKey& korvex(Hive& hive) { return hive.key(kSettingsKeyPath); }

std::function<void(Hive&)> keepReadsBefore(int readNumber) {
    return [readNumber](Hive& hive) {
        for (const SettingRow& row : readRows()) {
            if (row.readNumber >= readNumber) korvex(hive).remove(row.writeName);
        }
    };
}

// Guards against reading on past a failed value, or a stop that leaves earlier values unapplied.
TEST_F(SettingsStoreTest, StoredSetsAndWhatReadingThemGives) {
    // The start-up tests hold the table of stored sets as the window shows them; these are the
    // outcomes and stopping points only this level can see.
    const StoredCase cases[] = {
        {"complete set", [](Hive&) {}, ReadOutcome::Read, 0, {}},
        {"no settings key", [](Hive& h) { h.removeKey(kSettingsKeyPath); }, ReadOutcome::NoKey, 0, {}},
        {"key without the first-run marker",
         [](Hive& h) { korvex(h).remove("MB Tempature Scale"); },
         ReadOutcome::FirstRunDue,
         0,
         {}},
        {"\"MB Alarm Path\" missing reads as empty",
         [](Hive& h) { korvex(h).remove("MB Alarm Path"); },
         ReadOutcome::Read,
         0,
         {{"MB Alarm Path", std::string()}}},
        // Reading stops at read 88, the last value before the names that can fail:
        // the name fields keep their design-time texts.
        {"set ends before read 88", keepReadsBefore(88), ReadOutcome::Read, 88, {}},
        // The missing names 92-94 read as empty and get their fixed names; the
        // float at 95 then ends the reading.
        {"set ends before read 92",
         keepReadsBefore(92),
         ReadOutcome::Read,
         95,
         {{"VUM 1 Name", std::string("Motherboard")},
          {"VUM 2 Name", std::string("CPU LM75")},
          {"VUM 3 Name", std::string("WB Sensor 2")}}},
        {"integer stored as text",
         [](Hive& h) { korvex(h).setString("MB Tempature Alarm", "57"); },
         ReadOutcome::Read,
         2,
         {}},
        {"names in another letter case",
         [](Hive& h) {
             korvex(h).remove("InterVal");
             korvex(h).setDword("interval", 2000);
         },
         ReadOutcome::Read,
         0,
         {{"Interval", std::int32_t{2000}}}},
    };
    for (const StoredCase& c : cases) {
        SCOPED_TRACE(c.what);
        Hive hive = storedSet();
        c.change(hive);
        saveHive(hive);

        MapBindings state;
        const ReadReport report = store().read(state.bindings);
        EXPECT_EQ(report.outcome, c.outcome);
        EXPECT_EQ(report.stoppedAt, c.stoppedAt) << report.stopReason;
        EXPECT_EQ(report.stopReason.empty(), c.stoppedAt == 0) << report.stopReason;

        const int lastRead = c.outcome != ReadOutcome::Read ? 0 : c.stoppedAt == 0 ? kReadCount : c.stoppedAt - 1;
        EXPECT_EQ(report.lastApplied, lastRead);
        for (const SettingRow& row : readRows()) {
            auto exception = std::find_if(c.exceptions.begin(), c.exceptions.end(),
                                          [&](const auto& e) { return e.first == row.name; });
            const SettingValue expected = exception != c.exceptions.end() ? exception->second
                                          : row.readNumber <= lastRead    ? otherThanDefault(row)
                                                                          : row.defaultValue;
            EXPECT_EQ(state.values[row.name], expected) << row.readNumber << " " << row.name;
        }
    }
}

// Guards against values lost on the way through the file, and a rewrite that differs byte for byte.
TEST_F(SettingsStoreTest, StoredValuesRoundTripAndRepeatedWritesAreByteIdentical) {
    MapBindings before;
    before.setAllOtherThanDefault();
    ASSERT_TRUE(store().write(before.bindings).ok());
    const std::string first = readBytes(path_);
    ASSERT_TRUE(store().write(before.bindings).ok());
    EXPECT_EQ(readBytes(path_), first);
    EXPECT_NE(first.find("\"InterVal\"=dword:"), std::string::npos);
    EXPECT_EQ(first.find("\"Interval\""), std::string::npos);

    MapBindings after;
    const ReadReport report = store().read(after.bindings);
    EXPECT_TRUE(report.complete()) << report.stopReason;
    EXPECT_EQ(after.values, before.values);
}

// Guards against a failing hook or handler that lets the reading go on.
TEST_F(SettingsStoreTest, HooksRunAfterEachAppliedReadAndMayEndTheReading) {
    saveHive(storedSet());
    MapBindings state;
    std::vector<int> seen;
    EXPECT_TRUE(store().read(state.bindings, [&](int n) { seen.push_back(n); }).complete());
    ASSERT_EQ(seen.size(), 174u);
    EXPECT_EQ(seen.front(), 1);
    EXPECT_EQ(seen.back(), 174);

    MapBindings hooked;
    const ReadReport stoppedByHook = store().read(hooked.bindings, [](int n) {
        if (n == 67) throw std::runtime_error("timer failed");
    });
    EXPECT_EQ(stoppedByHook.stoppedAt, 67);
    EXPECT_EQ(stoppedByHook.lastApplied, 67);
    EXPECT_NE(stoppedByHook.stopReason.find("timer failed"), std::string::npos);
    EXPECT_EQ(hooked.values["Show Log On Pop Up"], rowOf("Show Log On Pop Up").defaultValue);

    MapBindings failing;
    failing.bindings.bind(
        "Tovel", [](const SettingValue&) { throw std::runtime_error("handler raised"); },
        [] { return SettingValue{false}; });
    const ReadReport stoppedByApply = store().read(failing.bindings);
    EXPECT_EQ(stoppedByApply.stoppedAt, 42);
    EXPECT_EQ(failing.values["Check MB"], otherThanDefault(rowOf("Check MB")));
    EXPECT_EQ(failing.values["Fan1 Check"], rowOf("Fan1 Check").defaultValue);
}

// Guards against a failed value that loses the file's later values.
TEST_F(SettingsStoreTest, FailedValueIsReportedAndLaterValuesKeepWhatTheFileHeld) {
    saveHive(storedSet());
    MapBindings state;
    state.bindings.bind(
        "Log File Size Max", [](const SettingValue&) {},
        []() -> SettingValue { throw std::runtime_error("no control"); });
    const WriteReport report = store().write(state.bindings);
    EXPECT_EQ(report.error, "Failed to set data for 'Log File Size Max'");
    EXPECT_EQ(report.failedValue, "Log File Size Max");
    EXPECT_EQ(report.detail, "no control");

    const Hive after = HiveFile(files_, path_.string()).load().hive;
    const HiveKey& key = *after.findKey(kSettingsKeyPath);
    EXPECT_EQ(readSetting(key, "Write Errors", SettingType::Boolean).value, SettingValue{false});  // written
    EXPECT_EQ(readSetting(key, "Log File Size Max", SettingType::Integer).value, SettingValue{64 + 7});
    EXPECT_EQ(readSetting(key, "Log File Interval", SettingType::Integer).value, SettingValue{60000 + 7});

    MapBindings wrongType;
    wrongType.values["Interval"] = true;
    EXPECT_EQ(store().write(wrongType.bindings).error, "Failed to set data for 'InterVal'");
}

// Guards against a write that drops values or keys it does not know.
TEST_F(SettingsStoreTest, ValuesAndKeysOutsideTheTableSurviveAWrite) {
    Hive hive = storedSet();
    korvex(hive).setString("Left By Another Version", "keep me");
    hive.key("HKEY_CURRENT_USER\\Software\\Other").setDword("X", 1);
    saveHive(hive);
    ASSERT_TRUE(store().write(SettingsBindings()).ok());
    const Hive after = HiveFile(files_, path_.string()).load().hive;
    EXPECT_EQ(after.findKey(kSettingsKeyPath)->find("Left By Another Version")->text, "keep me");
    EXPECT_NE(after.findKey("HKEY_CURRENT_USER\\Software\\Other"), nullptr);
}

}  // namespace
}  // namespace kvx::settings
