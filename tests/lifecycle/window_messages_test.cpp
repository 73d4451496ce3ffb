#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <limits>

#include "child_process.h"
#include "platform/fake/fake_window_messages.h"
#include "platform/linux/socket_window_messages.h"
#include "temp_folder.h"

namespace kvx::lifecycle_test {
namespace {

using platform::kComeForwardMessage;
using platform::MessageReceiver;
using platform::WindowMessage;
using platform::WindowMessages;
using platform::linux_backend::SocketWindowMessages;

TEST(WindowMessageText, FormatsAndParsesTheWireForm) {
    const WindowMessage extremes{std::numeric_limits<uint32_t>::max(), std::numeric_limits<int64_t>::min(),
                                 std::numeric_limits<int64_t>::max()};
    EXPECT_EQ(platform::formatWindowMessage({0x8190, 2, 51}), "33168 2 51");
    EXPECT_EQ(platform::parseWindowMessage(platform::formatWindowMessage(extremes)), extremes);
    EXPECT_EQ(platform::parseWindowMessage("16 0 -1"), (WindowMessage{16, 0, -1}));
    for (const char* bad : {"", "16 0", "16 0 0 0", " 16 0 0", "16 0 0\n", "-16 0 0", "16 0x1 0", "4294967296 0 0",
                            "16 0 9223372036854775808"}) {
        EXPECT_EQ(platform::parseWindowMessage(bad), std::nullopt) << '"' << bad << '"';
    }
}

// The contract, checked on the socket bus and on the fake that unit tests use.
struct BusCase {
    const char* name;
    std::function<std::unique_ptr<WindowMessages>(const std::string& folder)> make;
    friend void PrintTo(const BusCase& bus, std::ostream* out) { *out << bus.name; }
};

class BusContract : public testing::TestWithParam<BusCase> {
protected:
    TempFolder folder;
    std::unique_ptr<WindowMessages> bus = GetParam().make(folder / "korvex-windows");
};

TEST_P(BusContract, MessagesArriveInOrderOnlyWhileSomeoneListens) {
    std::string error;
    EXPECT_FALSE(bus->exists("Korvex"));
    EXPECT_FALSE(bus->post("Korvex", kComeForwardMessage, 0, 0)) << "nobody listens yet";
    {
        auto receiver = bus->listen("Korvex", error);
        ASSERT_TRUE(receiver) << error;
        EXPECT_TRUE(bus->exists("Korvex"));
        EXPECT_FALSE(bus->listen("Korvex", error)) << "a title has one listener";
        EXPECT_EQ(receiver->receive(), std::nullopt) << "nothing pending";
        EXPECT_TRUE(bus->post("Korvex", 0x8190, 2, 51));
        EXPECT_TRUE(bus->post("Korvex", 0x8192, -7, 0));
        EXPECT_EQ(receiver->receive(), (WindowMessage{0x8190, 2, 51}));
        EXPECT_EQ(receiver->receive(), (WindowMessage{0x8192, -7, 0}));
        EXPECT_EQ(receiver->receive(), std::nullopt);
    }
    EXPECT_FALSE(bus->exists("Korvex")) << "gone with its receiver";
    EXPECT_FALSE(bus->post("Korvex", kComeForwardMessage, 0, 0));
    EXPECT_TRUE(bus->listen("Korvex", error)) << "free again: " << error;
    EXPECT_FALSE(bus->listen("", error));
}

INSTANTIATE_TEST_SUITE_P(
    Buses, BusContract,
    testing::Values(BusCase{"Sockets", [](const std::string& f) { return std::make_unique<SocketWindowMessages>(f); }},
                    BusCase{"Fake",
                            [](const std::string&) { return std::make_unique<platform::fake::FakeWindowMessages>(); }}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

class SocketBus : public testing::Test {
protected:
    TempFolder folder;
    std::string windows = folder / "korvex-windows";
    SocketWindowMessages bus{windows};
    std::string error;
};

// Guards against: a copy that crashed leaving a socket file that blocks the next start.
TEST_F(SocketBus, SocketLeftByAKilledProcessIsTakenOver) {
    ChildProcess crashed([&] {
        auto* own = new SocketWindowMessages(windows);
        std::string ignored;
        return own->listen("Korvex", ignored).release() != nullptr;  // kept until the child dies
    });
    ASSERT_TRUE(crashed.setUpOk());
    EXPECT_TRUE(bus.exists("Korvex"));
    crashed.kill();
    ASSERT_TRUE(std::filesystem::exists(bus.socketPath("Korvex"))) << "SIGKILL leaves the file behind";

    EXPECT_FALSE(bus.exists("Korvex"));
    EXPECT_FALSE(bus.post("Korvex", kComeForwardMessage, 0, 0));
    auto receiver = bus.listen("Korvex", error);
    ASSERT_TRUE(receiver) << error;
    EXPECT_TRUE(bus.post("Korvex", kComeForwardMessage, 0, 0));
    EXPECT_EQ(receiver->receive(), (WindowMessage{kComeForwardMessage, 0, 0}));
}

// Guards against titles escaping the folder, or two titles (long ones too) sharing one socket.
TEST_F(SocketBus, OddTitlesEachGetTheirOwnSocketInsideTheFolder) {
    const std::string titles[] = {
        "Korvex", "a/b", "../up", "A", "%41", "tab\tnew\nline", std::string(300, 'x'), std::string(300, 'x') + "y"};
    std::vector<std::unique_ptr<MessageReceiver>> receivers;
    for (const std::string& title : titles) {
        receivers.push_back(bus.listen(title, error));
        ASSERT_TRUE(receivers.back()) << title << ": " << error;
        EXPECT_EQ(std::filesystem::path(bus.socketPath(title)).parent_path(), windows) << title;
    }
    for (std::size_t i = 0; i < std::size(titles); ++i) ASSERT_TRUE(bus.post(titles[i], 100, int64_t(i), 0));
    for (std::size_t i = 0; i < std::size(titles); ++i) {
        EXPECT_EQ(receivers[i]->receive(), (WindowMessage{100, int64_t(i), 0})) << titles[i];
        EXPECT_EQ(receivers[i]->receive(), std::nullopt) << titles[i];
    }
    struct stat info {};
    ASSERT_EQ(::stat(windows.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

// Guards against: a malformed datagram from outside stopping the reader or
// being taken for a message.
TEST_F(SocketBus, MalformedDatagramsAreDropped) {
    auto receiver = bus.listen("Korvex", error);
    ASSERT_TRUE(receiver) << error;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, bus.socketPath("Korvex").c_str());
    const int sender = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    for (const std::string& raw : {std::string("hello"), std::string(""), "16 0 0" + std::string(200, ' '),
                                   "33168 2 51" + std::string(100, '0')}) {
        ASSERT_EQ(::sendto(sender, raw.data(), raw.size(), 0, reinterpret_cast<sockaddr*>(&address), sizeof address),
                  ssize_t(raw.size()));
    }
    ::close(sender);
    ASSERT_TRUE(bus.post("Korvex", 16, 0, 0));
    EXPECT_EQ(receiver->receive(), (WindowMessage{16, 0, 0}));
    EXPECT_EQ(receiver->receive(), std::nullopt);
}

// Guards against: post() waiting on a receiver that does not read.
TEST_F(SocketBus, FullQueueRefusesInsteadOfWaiting) {
    auto receiver = bus.listen("CPUIdle", error);
    ASSERT_TRUE(receiver) << error;
    int accepted = 0;
    while (accepted < 10000 && bus.post("CPUIdle", 0x8190, 0, accepted)) ++accepted;
    EXPECT_LT(accepted, 10000);
    EXPECT_EQ(receiver->receive(), (WindowMessage{0x8190, 0, 0})) << "the queued ones are intact";
}

TEST_F(SocketBus, ReceiverRemovesOnlyItsOwnSocketFile) {
    auto first = bus.listen("Korvex", error);
    ASSERT_TRUE(first) << error;
    std::filesystem::remove(bus.socketPath("Korvex"));  // someone cleaned the folder
    auto second = bus.listen("Korvex", error);
    ASSERT_TRUE(second) << error;
    first.reset();
    EXPECT_TRUE(bus.exists("Korvex")) << "the first receiver must not delete the second one's file";
    second.reset();
    EXPECT_FALSE(std::filesystem::exists(bus.socketPath("Korvex")));
}

}  // namespace
}  // namespace kvx::lifecycle_test
