// The metrics file on a real disk: whole files only, and a refusing disk reported once.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "metrics/metrics_file.h"
#include "platform/linux/posix_file_system.h"

using kvx::metrics::MetricsFile;
namespace fs = std::filesystem;

namespace {

std::string tempFolder() {
    char pattern[] = "/tmp/korvex-metrics-XXXXXX";
    return mkdtemp(pattern);
}

std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(MetricsFile, ReplacesTheWholeFileAndLeavesNoTemporaryThatTheCollectorWouldRead) {
    const std::string folder = tempFolder();
    const mode_t oldMask = ::umask(022);
    kvx::platform::linux_backend::PosixFileSystem files;
    MetricsFile file(files, folder + "/textfile");  // a folder that does not exist yet is made
    EXPECT_FALSE(file.write("korvex_polls_total 1\n"));
    EXPECT_FALSE(file.write("korvex_polls_total 2\n"));
    EXPECT_EQ(read(folder + "/textfile/korvex.prom"), "korvex_polls_total 2\n");
    for (const auto& entry : fs::directory_iterator(folder + "/textfile"))
        EXPECT_EQ(entry.path().filename(), "korvex.prom") << "left behind: " << entry.path();
    // node_exporter runs as its own user: a private temporary file (0600) renamed into place would lock it out.
    struct stat info {};
    ::umask(oldMask);
    ASSERT_EQ(::stat((folder + "/textfile/korvex.prom").c_str(), &info), 0);
    EXPECT_TRUE(info.st_mode & S_IROTH);
    fs::remove_all(folder);
}

TEST(MetricsFile, ARefusingDiskIsReportedOnceKeepsTheLastWholeFileAndIsReportedAgainAfterARecovery) {
    const std::string folder = tempFolder();
    kvx::platform::linux_backend::PosixFileSystem files;
    MetricsFile file(files, folder);
    ASSERT_FALSE(file.write("korvex_polls_total 1\n"));
    // A folder where the temporary file must go makes every write fail, as a full or read-only disk does.
    fs::create_directory(folder + "/korvex.prom.tmp");
    const auto first = file.write("korvex_polls_total 2\n");
    ASSERT_TRUE(first);
    EXPECT_NE(first->find(folder + "/korvex.prom"), std::string::npos) << *first;
    EXPECT_FALSE(file.write("korvex_polls_total 3\n")) << "a failure that goes on is not reported at every poll";
    EXPECT_EQ(read(folder + "/korvex.prom"), "korvex_polls_total 1\n") << "the last good file stays whole";

    fs::remove(folder + "/korvex.prom.tmp");
    EXPECT_FALSE(file.write("korvex_polls_total 4\n"));
    EXPECT_EQ(read(folder + "/korvex.prom"), "korvex_polls_total 4\n");
    fs::create_directory(folder + "/korvex.prom.tmp");
    EXPECT_TRUE(file.write("korvex_polls_total 5\n")) << "a new failure after a recovery is news again";
    fs::remove_all(folder);
}
