// The files the package ships with fixed content, read the way the program reads them.
#include <gtest/gtest.h>

#include "app/dialogs/uninstall_window.h"
#include "platform/linux/posix_file_system.h"
#include "settings/read_only_hive.h"

// Guards against a shipped machine.reg that the program cannot read, or whose
// uninstall command does not start the package manager's removal: "Un-install"
// in the tray menu would then do nothing.
TEST(ShippedMachineHive, NamesThePackageManagersRemoval) {
    kvx::platform::linux_backend::PosixFileSystem files;
    auto loaded = kvx::settings::loadReadOnlyHive(files, std::string(KVX_PACKAGING_DIR) + "/machine.reg");
    EXPECT_TRUE(loaded.messages.empty()) << loaded.messages.front();
    const auto* key = loaded.hive.findKey(
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Korvex");
    ASSERT_NE(key, nullptr);
    const auto* value = key->find("UninstallString");
    ASSERT_NE(value, nullptr);
    auto command = kvx::app::splitUninstallCommand(value->text);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->program, "pkexec");
    EXPECT_EQ(command->parameters, "apt-get remove --yes korvex");
}
