// The media module as korvex loads it: from the build's bin folder, and what
// happens when it is missing.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/linux/dl_shared_library.h"
#include "platform/linux/media_module.h"

using namespace kvx::platform;
using namespace kvx::platform::linux_backend;

// Guards against: a missing module crashing the alarm or the erase, telling the user on every
// alarm, or a refused move that does not say why (the log page shows that text).
TEST(MediaModule, AMissingModuleIsToldOnceWavesAreSilentAndTheTrashSaysWhy) {
    DlSharedLibraryLoader loader;
    kvx::platform::CollectedDiagnostics told;
    MediaModule media(loader, "/nonexistent/korvex-media.so", told);
    LazySoundPlayer sound(media);
    LazyTrash trash(media);
    sound.stop();
    EXPECT_EQ(told.str(), "") << "stopping silence needs no module";
    sound.play("/tmp/alarm.wav", true);
    sound.play("/tmp/alarm.wav", false);
    const FsStatus moved = trash.moveToTrash("/tmp/kvxlog.txt");
    EXPECT_FALSE(moved.ok());
    EXPECT_FALSE(moved.notFound()) << "the file was not looked at: it is kept, not re-created";
    EXPECT_NE(moved.message.find("trash /tmp/kvxlog.txt: the media module /nonexistent/korvex-media.so"),
              std::string::npos)
        << moved.message;
    EXPECT_EQ(told.str().find("korvex: the media module"), 0u) << told.str();
    EXPECT_EQ(told.str().find("korvex:", 1), std::string::npos) << "told once: " << told.str();
}

// Guards against: a module built without its entries, or entries whose names the program does not look up.
TEST(MediaModule, TheBuiltModuleGivesAPlayerAndATrash) {
    DlSharedLibraryLoader loader;
    kvx::platform::CollectedDiagnostics told;
    MediaModule media(loader, std::string(KVX_BIN_DIR) + "/" + kMediaModuleName, told);
    EXPECT_EQ(media.soundIfMade(), nullptr) << "nothing is loaded before it is asked for";
    EXPECT_NE(media.trash(), nullptr) << media.problem();
    EXPECT_NE(media.sound(), nullptr) << media.problem();
    EXPECT_EQ(media.problem(), "");
    // The trash of a file that is not there: answered by GIO from inside the module.
    EXPECT_TRUE(media.trash()->moveToTrash("/nonexistent/kvxlog.txt").notFound());
}
