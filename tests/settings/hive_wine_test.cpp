// The hive files Korvex writes, imported by a real registry editor (Wine's
// `regedit /S`) and exported again (`regedit /E`): every value must arrive as
// it was stored. One test, so that Wine's slow first start happens once.
#include "platform/linux/posix_file_system.h"
#include "settings/hive_file.h"
#include "tests/blackbox/run_program.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace kvx::settings {
namespace {

namespace fs = std::filesystem;

const std::string kTestKey = "HKEY_CURRENT_USER\\Software\\Korvex Wine Test";
const std::string kKorvexKey = "HKEY_CURRENT_USER\\Software\\Korvex";
const std::string kDegree =
    "Mobo \xC2\xB0"
    "C";
const std::string kChip = "\xC4\x8Cip 1";
const std::string kTemperature = "\xE6\xB8\xA9\xE5\xBA\xA6";

bool wineInstalled() {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        if (!folder.empty() && ::access((folder + "/wine").c_str(), X_OK) == 0) return true;
    }
    return false;
}

// Runs a Wine program in its own prefix, without a display; output goes to `log`.
int runWine(const fs::path& prefix, const std::vector<std::string>& args, const fs::path& log) {
    const pid_t child = ::fork();
    if (child == 0) {
        const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        ::dup2(out, 1);
        ::dup2(out, 2);
        const int in = ::open("/dev/null", O_RDONLY);
        ::dup2(in, 0);
        ::setenv("WINEPREFIX", prefix.c_str(), 1);
        ::setenv("WINEDEBUG", "-all", 1);
        ::unsetenv("DISPLAY");
        ::unsetenv("WAYLAND_DISPLAY");
        std::vector<char*> argv;
        argv.reserve(args.size() + 1);
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

// Failures name the value, its type and data as a person reads them.
void PrintTo(const HiveValue& value, std::ostream* out) {
    *out << "type " << static_cast<int>(value.type) << " other " << value.otherType << " text \"" << value.text
         << "\" dword " << value.dword << " bytes";
    for (const std::uint8_t byte : value.bytes) *out << ' ' << std::hex << static_cast<int>(byte) << std::dec;
}

namespace {

HiveValue other(std::string name, std::uint32_t type, std::vector<std::uint8_t> bytes) {
    HiveValue value;
    value.name = std::move(name);
    value.type = HiveValueType::Other;
    value.otherType = type;
    value.bytes = std::move(bytes);
    return value;
}

// Values that ASCII carries exactly.
void addAsciiValues(HiveKey& key) {
    key.setString("Path", "C:\\Program Files\\Say \"hi\".exe");
    key.setString("Trailing backslash", "C:\\");
    key.setString("Empty", "");
    key.setString("", "default value");
    key.setString("Long ASCII", std::string(1500, 'x'));
    key.setDword("Interval", 10000);
    key.setDword("Negative", static_cast<std::uint32_t>(-20));
    key.setDword("Zero", 0);
    key.setBinary("MB Tempature Scale", {0, 0, 0, 0, 0, 0, 0x4e, 0x40});
    key.setBinary("High bytes", {0xff, 0x80, 0xc2, 0xb0});
    std::vector<std::uint8_t> large(300);
    for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<std::uint8_t>(i * 7);
    key.setBinary("Large", large);
    key.setBinary("No bytes", {});
    key.set(other("Qword", 0xb, {1, 2, 3, 4, 5, 6, 7, 8}));
}

// Settings that ASCII carries exactly: written as an ASCII file.
Hive asciiHive() {
    Hive hive;
    addAsciiValues(hive.key(kTestKey + "\\Ascii"));
    return hive;
}

// Every kind of value, with the texts that are easy to get wrong: a UTF-16 file.
Hive valuesHive() {
    Hive hive;
    HiveKey& key = hive.key(kTestKey + "\\Values");
    addAsciiValues(key);
    key.setString("VUM 1 Name", kDegree);
    key.setString("VUM 2 Name", kChip);
    key.setString("VUM 3 Name", kTemperature);
    std::string longText;
    for (int i = 0; i < 60; ++i)
        longText += "Sensor " + std::to_string(i) +
                    " \xC2\xB0"
                    "C; ";
    key.setString("Long", longText);
    key.setString("Emoji", "\xF0\x9F\x8C\xA1");
    key.setString("Two lines", "first\r\nsecond");
    key.setString("Zero inside", std::string("a\0b", 3));
    key.set(other("Expand", 2, {0x25, 0, 0x54, 0, 0x25, 0, 0, 0}));
    key.set(other("Multi", 7, {0x61, 0, 0, 0, 0x62, 0, 0, 0, 0, 0}));
    hive.key(kTestKey + "\\-dash").setDword("A", 1);
    hive.key(kTestKey + "\\Empty key");
    return hive;
}

// Names outside ASCII have no hex form: this one is written as UTF-16LE with BOM.
Hive namesHive() {
    Hive hive;
    HiveKey& key = hive.key(kTestKey + "\\" + kChip);
    key.setString(kTemperature, kDegree);
    key.setDword(kChip, 1);
    return hive;
}

// A first run in which a person answers the first-run dialogs and names the sensors and fans.
std::string namingScript() {
    return "at 0 answer Form3 \"&Yes\"\nat 0 answer Form2 \"&Ok\"\n"
           "at 1 set Edit4 \"" +
           kDegree + "\"\nat 1 set Edit5 \"" + kChip + "\"\nat 1 set Edit6 \"" + kTemperature +
           "\"\nat 1 set Edit1 \"L\xC3\xBC"
           "fter \\\"1\"\nat 1 set Edit2 \"a\\\\b\"\n";
}

Hive loadFile(const fs::path& path) {
    platform::linux_backend::PosixFileSystem files;
    HiveLoad load = HiveFile(files, path.string()).load();
    for (const std::string& message : load.messages) ADD_FAILURE() << path << ": " << message;
    return load.hive;
}

// A text as Wine's `regedit /E` writes it: a line break as the escape "\r" or "\n" (its import reads
// them back), and nothing from the first zero character on.
HiveValue asExported(HiveValue value) {
    if (value.type != HiveValueType::String) return value;
    std::string text = value.text.substr(0, value.text.find('\0'));
    value.text.clear();
    for (const char c : text) value.text += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
    return value;
}

// Every key and value of `written` must be in `exported` (the registry editor orders them its own way).
void expectImported(const Hive& written, const Hive& exported) {
    for (const HiveKey& key : written.keys()) {
        SCOPED_TRACE(key.path());
        const HiveKey* imported = exported.findKey(key.path());
        ASSERT_NE(imported, nullptr) << "key missing after the import";
        EXPECT_EQ(imported->path(), key.path());
        for (const HiveValue& value : key) {
            SCOPED_TRACE("value \"" + value.name + "\"");
            const HiveValue* got = imported->find(value.name);
            ASSERT_NE(got, nullptr) << "value missing after the import";
            EXPECT_EQ(*got, asExported(value));
        }
    }
}

TEST(HiveWine, TheRegistryEditorImportsEveryValueKorvexWrites) {
    if (!wineInstalled()) {
        GTEST_SKIP() << "SKIPPED: Wine is not installed, so no registry editor can import the hives "
                        "(scripts/bootstrap installs the wine and wine64 packages)";
    }
    const fs::path folder = test::makeTempFolder();
    const fs::path prefix = folder / "wineprefix";
    const fs::path log = folder / "wine.log";

    // Written by the real writer: the hive file code, and the program at the end of a run.
    platform::linux_backend::PosixFileSystem files;
    ASSERT_TRUE(HiveFile(files, (folder / "values.reg").string()).save(valuesHive()).ok());
    ASSERT_TRUE(HiveFile(files, (folder / "names.reg").string()).save(namesHive()).ok());
    test::writeFile(folder / "script.txt", namingScript());
    const test::ProgramRun run = test::runKorvex(
        {"--headless", "--virtual-time", "--run-for", "5", "--script", (folder / "script.txt").string(), "--config-dir",
         (folder / "config").string(), "--program-folder", (folder / "program").string(), "--sensor-library",
         std::string(KVX_BIN_DIR) + "/libkvx-sim.so"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const fs::path userHive = folder / "config/user.reg";
    const Hive savedByKorvex = loadFile(userHive);
    const HiveKey* settings = savedByKorvex.findKey(kKorvexKey);
    ASSERT_NE(settings, nullptr);
    for (const auto& [name, text] : {std::pair{"VUM 1 Name", kDegree},
                                     {"VUM 2 Name", kChip},
                                     {"VUM 3 Name", kTemperature},
                                     {"Fan 2 Name", std::string("a\\b")}}) {
        ASSERT_NE(settings->find(name), nullptr) << name;
        EXPECT_EQ(settings->find(name)->text, text);
    }
    EXPECT_GT(settings->size(), 50u) << "the program saved all its settings";

    ASSERT_TRUE(HiveFile(files, (folder / "ascii.reg").string()).save(asciiHive()).ok());
    EXPECT_FALSE(test::readFile(folder / "ascii.reg").starts_with("\xFF\xFE"));
    for (const char* file : {"values.reg", "names.reg", "config/user.reg"}) {
        EXPECT_TRUE(test::readFile(folder / file).starts_with("\xFF\xFE")) << file;
    }

    for (const char* file : {"ascii.reg", "values.reg", "names.reg", "config/user.reg"}) {
        ASSERT_EQ(runWine(prefix, {"wine", "regedit", "/S", (folder / file).string()}, log), 0) << file << "\n"
                                                                                                << test::readFile(log);
    }
    ASSERT_EQ(runWine(prefix, {"wine", "regedit", "/E", (folder / "test-export.reg").string(), kTestKey}, log), 0)
        << test::readFile(log);
    ASSERT_EQ(runWine(prefix, {"wine", "regedit", "/E", (folder / "korvex-export.reg").string(), kKorvexKey}, log), 0)
        << test::readFile(log);
    runWine(prefix, {"wineserver", "-k"}, log);
    fs::remove_all(prefix);  // hundreds of megabytes

    const Hive exported = loadFile(folder / "test-export.reg");
    const std::pair<const char*, Hive> imports[] = {
        {"ascii.reg", asciiHive()}, {"values.reg", valuesHive()}, {"names.reg", namesHive()}};
    for (const auto& [file, written] : imports) {
        SCOPED_TRACE(file);
        expectImported(written, exported);
    }
    {
        SCOPED_TRACE("user.reg saved by korvex");
        expectImported(savedByKorvex, loadFile(folder / "korvex-export.reg"));
    }
    if (!HasFailure()) fs::remove_all(folder);
}

}  // namespace
}  // namespace kvx::settings
