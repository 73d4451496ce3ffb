#include "logs/log_file.h"
#include "platform/linux/builtin_windows1252.h"
#include "platform/linux/posix_log_storage.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace kvx::logs {
namespace {

using testing::readBytes;
using testing::writeBytes;

class LogFileTest : public ::testing::Test {
protected:
    std::string path(const char* name) const { return (folder_.path() / name).string(); }

    testing::TempFolder folder_;
    platform::linux_backend::PosixLogStorage storage_;
    platform::linux_backend::BuiltInWindows1252 encoding_;
    LogFile files_{storage_, encoding_};
};

// Guards against an existing (even empty) log being overwritten by a fresh header.
TEST_F(LogFileTest, CreateIfMissingLeavesEvenAnEmptyFileAlone) {
    writeBytes(path("empty.txt"), "");
    const auto kept = files_.createIfMissing(path("empty.txt"), {"header"});
    EXPECT_TRUE(kept.status.ok());
    EXPECT_FALSE(kept.created);
    EXPECT_EQ(readBytes(path("empty.txt")), "");

    const auto made = files_.createIfMissing(path("new.txt"), {"35\xC2\xB0"
                                                               "C",
                                                               ""});
    EXPECT_TRUE(made.status.ok());
    EXPECT_TRUE(made.created);
    EXPECT_EQ(readBytes(path("new.txt")),
              "35\xB0"
              "C\r\n\r\n")
        << "Windows-1252 lines ending in CRLF";
}

struct AppendCase {
    const char* what;
    std::string before;
    std::string after;  // after appending the line "new"
};

// Guards against rows written after the HTML closing tags, or cut at a mark far back in the file.
TEST_F(LogFileTest, AppendCutsAtTheFirstMarkInTheLast128Bytes) {
    const std::string filler(200, 'x');
    const AppendCase cases[] = {
        {"no mark: plain append", "row1\r\n", "row1\r\nnew\r\n"},
        {"empty file", "", "new\r\n"},
        {"mark and closing tags removed", "<tr><td>1</td>\x1A</tr></table>\r\n", "<tr><td>1</td>new\r\n"},
        {"first of two marks",
         "a\x1A"
         "b\x1A"
         "c",
         "anew\r\n"},
        {"mark exactly 128 bytes from the end", "head\x1A" + std::string(127, 'x'), "headnew\r\n"},
        {"mark 129 bytes from the end is kept", "head\x1A" + std::string(128, 'x'),
         "head\x1A" + std::string(128, 'x') + "new\r\n"},
        {"only the last 128 bytes are searched", "\x1A" + filler + "\x1A" + "end", "\x1A" + filler + "new\r\n"},
    };
    for (const AppendCase& c : cases) {
        writeBytes(path("log.htm"), c.before);
        ASSERT_TRUE(files_.append(path("log.htm"), {"new"}).ok()) << c.what;
        EXPECT_EQ(readBytes(path("log.htm")), c.after) << c.what;
    }
}

// Storage on a disk that fills during a write: a write of more than a few
// bytes stores its first half and then fails, as a full disk does.
class FillingStorage final : public platform::LogStorage {
public:
    explicit FillingStorage(platform::LogStorage& inner) : inner_(inner) {}
    Created createFile(const std::string& path, std::string_view bytes, Existing existing) override {
        return inner_.createFile(path, bytes, existing);
    }
    std::unique_ptr<platform::OpenLogFile> openForAppend(const std::string& path, platform::FsStatus& status) override {
        auto file = inner_.openForAppend(path, status);
        return file ? std::make_unique<FillingFile>(std::move(file)) : nullptr;
    }
    Size fileSize(const std::string& path) override { return inner_.fileSize(path); }

private:
    struct FillingFile final : platform::OpenLogFile {
        explicit FillingFile(std::unique_ptr<platform::OpenLogFile> file) : inner(std::move(file)) {}
        Tail readTail(std::size_t count) override { return inner->readTail(count); }
        platform::FsStatus truncate(std::uint64_t length) override { return inner->truncate(length); }
        platform::FsStatus append(std::string_view bytes) override {
            if (bytes.size() <= kRoomLeft) return inner->append(bytes);
            inner->append(bytes.substr(0, bytes.size() / 2));
            return {platform::FsStatus::Kind::Failed, "write: No space left on device"};
        }
        platform::FsStatus close() override { return inner->close(); }
        std::unique_ptr<platform::OpenLogFile> inner;
    };
    static constexpr std::size_t kRoomLeft = 32;
    platform::LogStorage& inner_;
};

// Guards against a disk that fills during an HTML row leaving the log without
// its closing tags (or with half a row): the file stays byte for byte as it was.
TEST_F(LogFileTest, AFailedAppendLeavesTheFileAsItWas) {
    const std::string before = "<html>\r\n<table>\r\n<tr><td>1</td></tr>\r\n\x1A</table>\r\n</html>\r\n";
    writeBytes(path("log.htm"), before);
    FillingStorage full(storage_);
    LogFile files(full, encoding_);
    const platform::FsStatus status = files.append(path("log.htm"),
                                                   {"<tr><td>2</td><td>a row too long for the room left</td></tr>"});
    EXPECT_EQ(status.message, "write: No space left on device");
    EXPECT_EQ(readBytes(path("log.htm")), before);
    // A text log has no mark: it is cut back to its old end.
    writeBytes(path("log.txt"), "row 1\r\n");
    EXPECT_FALSE(files.append(path("log.txt"), {"a row too long for the room that is left"}).ok());
    EXPECT_EQ(readBytes(path("log.txt")), "row 1\r\n");
}

}  // namespace
}  // namespace kvx::logs
