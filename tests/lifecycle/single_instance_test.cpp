#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/linux/flock_single_instance.h"
#include "temp_folder.h"

namespace kvx::lifecycle_test {
namespace {

using platform::InstanceClaim;
using platform::linux_backend::FlockSingleInstance;

bool holdInChild(const std::string& folder, const std::string& name) {
    auto* guard = new FlockSingleInstance(folder);  // kept until the child ends
    return guard->acquire(name).acquired();
}

// Guards against: a holder shut out by its own second ask, or a name kept after
// its guard is gone. (A second copy of the program, and a copy killed with
// SIGKILL, are shown by the black-box runs.)
TEST(SingleInstance, HolderMayAskAgainAndDestroyingTheGuardReleasesTheName) {
    TempFolder folder;
    auto first = std::make_unique<FlockSingleInstance>(folder.path());
    ASSERT_TRUE(first->acquire("Korvex").acquired());
    EXPECT_TRUE(first->acquire("Korvex").acquired()) << "asking again for a name already held";
    EXPECT_EQ(readAll(first->lockPath("Korvex")), std::to_string(::getpid()) + "\n");
    FlockSingleInstance second(folder.path());
    EXPECT_TRUE(second.acquire("Korvex").anotherCopyRuns()) << "two guards in one process also exclude each other";
    first.reset();
    EXPECT_TRUE(second.acquire("Korvex").acquired());
}

// Guards against: the lock descriptor leaking into a program the holder
// starts, which would keep the name blocked after the holder has ended.
TEST(SingleInstance, ProgramStartedByTheHolderDoesNotKeepTheName) {
    TempFolder folder;
    int started[2];
    ASSERT_EQ(::pipe2(started, O_CLOEXEC), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        if (!holdInChild(folder.path(), "Korvex")) ::_exit(1);
        [[maybe_unused]] const ssize_t n = ::write(started[1], "k", 1);
        ::execl("/bin/sleep", "sleep", "30", static_cast<char*>(nullptr));  // same process, new program
        ::_exit(1);
    }
    ::close(started[1]);
    char any;
    ASSERT_EQ(::read(started[0], &any, 1), 1) << "the child holds the name";
    ASSERT_EQ(::read(started[0], &any, 1), 0) << "end of file once the child has executed sleep";
    ::close(started[0]);

    // The pipe may report the exec a moment before the kernel has closed the
    // lock's descriptor too, so look again for a while.
    FlockSingleInstance second(folder.path());
    bool acquired = false;
    for (int attempt = 0; attempt < 500 && !acquired; ++attempt) {
        acquired = second.acquire("Korvex").acquired();
        if (!acquired) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(acquired) << "the running sleep still holds the lock";
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
}

TEST(SingleInstance, LockFolderIsPrivateAndNeverALink) {
    TempFolder folder;
    const std::string locks = folder / "locks";
    ASSERT_EQ(::mkdir(locks.c_str(), 0755), 0);
    EXPECT_TRUE(FlockSingleInstance(locks).acquire("Korvex").acquired());
    struct stat info {};
    ASSERT_EQ(::stat(locks.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u) << "group and others lose access to an existing folder";

    const std::string link = folder / "link";
    std::filesystem::create_directory_symlink(locks, link);
    const InstanceClaim claim = FlockSingleInstance(link).acquire("Korvex");
    EXPECT_EQ(claim.kind, InstanceClaim::Kind::Error);
    EXPECT_NE(claim.message.find("not a folder"), std::string::npos) << claim.message;

    EXPECT_EQ(FlockSingleInstance(locks).acquire("").kind, InstanceClaim::Kind::Error);
}

}  // namespace
}  // namespace kvx::lifecycle_test
