// The metrics file on a real disk: whole files only, and a refusing disk reported once.
#include <gtest/gtest.h>

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

// Guards against: a message at every poll while the disk refuses, a half-written file, and a new
// failure after a recovery going unreported.
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
