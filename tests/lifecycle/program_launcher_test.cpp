#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/linux/detached_program_launcher.h"
#include "temp_folder.h"

namespace kvx::lifecycle_test {
namespace {

using platform::LaunchOutcome;
using platform::splitParameters;
using platform::linux_backend::DetachedProgramLauncher;
using Arguments = std::vector<std::string>;

TEST(SplitParameters, ReadsACommandLineWithoutAnyShell) {
    const std::pair<const char*, Arguments> table[] = {
        {"  \t ", {}},
        {"a  b\tc", {"a", "b", "c"}},
        {R"("with  blanks" next)", {"with  blanks", "next"}},
        {R"(pre"fix mid"post)", {"prefix midpost"}},
        {R"("" x "")", {"", "x", ""}},
        {R"($HOME * ~ ; | `id` 'one two')", {"$HOME", "*", "~", ";", "|", "`id`", "'one", "two'"}},
        {R"(C:\Program\ Files\x)", {R"(C:\Program\)", R"(Files\x)"}},
        {R"(a\\"b c")", {R"(a\b c)"}},
        {R"(a\\\"b)", {R"(a\"b)"}},
        {R"("unclosed  end)", {"unclosed  end"}},
    };
    for (const auto& [text, arguments] : table) EXPECT_EQ(splitParameters(text), arguments) << text;
}

// A script that records its arguments, working folder, standard input and
// session, one per line, then renames the record into place.
const char kRecorder[] = R"sh(#!/bin/sh
out="$KVX_RECORD"
{
  printf '[%s]\n' "$0" "$@"
  printf 'pwd=%s\n' "$(pwd)"
  printf 'stdin=%s\n' "$(readlink /proc/self/fd/0)"
  printf 'sid=%s\n' "$(cut -d' ' -f6 /proc/$$/stat)"
} > "$out.part" && mv "$out.part" "$out"
)sh";

class Launcher : public testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(folder / "with blank");
        writeExecutable(recorder, kRecorder);
        ::setenv("KVX_RECORD", record.c_str(), 1);
    }
    void TearDown() override { ::unsetenv("KVX_RECORD"); }

    static void writeExecutable(const std::string& path, const std::string& text) {
        writeFile(path, text);
        ::chmod(path.c_str(), 0755);
    }
    std::string recorded() { return waitForFile(record) ? readAll(record) : "(never written)"; }

    TempFolder folder;
    std::string recorder = folder / "with blank/recorder";
    std::string record = folder / "record";
};

// Guards against: parameters passing through a shell (expansion, splitting
// of quoted blanks) and against zombies left behind.
TEST_F(Launcher, ScriptGetsEachArgumentExactlyAndDetached) {
    DetachedProgramLauncher launcher;
    const LaunchOutcome outcome = launcher.launch(recorder, R"(first "with  blanks" $HOME *.txt `id` "" last)",
                                                  folder.path());
    ASSERT_TRUE(outcome.started) << outcome.reason;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1) << "no child of ours left to reap";

    const std::string text = recorded();
    EXPECT_EQ(text.substr(0, text.find("pwd=")),
              "[" + recorder + "]\n[first]\n[with  blanks]\n[$HOME]\n[*.txt]\n[`id`]\n[]\n[last]\n");
    EXPECT_NE(text.find("pwd=" + folder.path() + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find("stdin=/dev/null\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("sid=" + std::to_string(::getsid(0)) + "\n"), std::string::npos) << "own session: " << text;
}

TEST_F(Launcher, DocumentsAndUrlsGoToTheOpener) {
    const std::string opener = folder / "opener";
    writeExecutable(
        opener,
        "#!/bin/sh\nprintf '%s|' \"$#\" \"$1\" > \"$KVX_RECORD.part\"; mv \"$KVX_RECORD.part\" \"$KVX_RECORD\"\n");
    writeFile(folder / "notes.txt", "text");
    DetachedProgramLauncher launcher(opener);

    const std::pair<std::string, std::string> table[] = {
        {folder / "with blank", folder / "with blank"},
        {"https://example.org/a?b=c&d=$e", "https://example.org/a?b=c&d=$e"},
    };
    for (const auto& [file, argument] : table) {
        std::filesystem::remove(record);
        const LaunchOutcome outcome = launcher.launch(file, "ignored parameters");
        ASSERT_TRUE(outcome.started) << file << ": " << outcome.reason;
        EXPECT_EQ(recorded(), "1|" + argument + "|") << file;
    }
}

TEST_F(Launcher, FailuresToStartAreReportedWithAReason) {
    const std::string notAProgram = folder / "garbage";
    writeExecutable(notAProgram, "\x7F\x01 not a program");
    DetachedProgramLauncher launcher(folder / "no-opener");
    writeFile(folder / "notes.txt", "text");

    const std::tuple<std::string, std::string, const char*> table[] = {
        {folder / "missing", "", "No such file"},
        {"kvx-no-such-command", "", "no such file or command"},
        {notAProgram, "", "Exec format error"},
        {recorder, folder / "no-folder", "cannot enter working folder"},
        {folder / "notes.txt", "", "no-opener is not installed"},
        {"", "", "no program"},
    };
    for (const auto& [file, workingFolder, cause] : table) {
        const LaunchOutcome outcome = launcher.launch(file, "", workingFolder);
        EXPECT_FALSE(outcome.started) << file;
        EXPECT_NE(outcome.reason.find(cause), std::string::npos) << file << ": " << outcome.reason;
    }
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1) << "failed starts leave no child either";
}

TEST_F(Launcher, BareNamesAreLookedUpInPath) {
    const char* oldPath = std::getenv("PATH");
    const std::string saved = oldPath ? oldPath : "";
    ::setenv("PATH", (folder.path() + "/with blank:" + saved).c_str(), 1);
    const LaunchOutcome outcome = DetachedProgramLauncher().launch("recorder", "one");
    ::setenv("PATH", saved.c_str(), 1);
    ASSERT_TRUE(outcome.started) << outcome.reason;
    const std::string expected = "[" + recorder + "]\n[one]\n";  // the shell names the script by its full path
    EXPECT_EQ(recorded().substr(0, expected.size()), expected);
}

}  // namespace
}  // namespace kvx::lifecycle_test
