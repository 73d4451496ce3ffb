// The real korvex run from a tree laid out as the package installs it:
// <root>/usr/bin/korvex, <root>/usr/lib/korvex/ and the machine-wide hive in the
// system configuration folder the build was configured for (<root>/etc/korvex/
// for the prefix /usr).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void write(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

struct InstalledTree {
    std::string root;
    std::string home;
    std::string korvex;

    InstalledTree() {
        char pattern[] = "/tmp/korvex-installed-XXXXXX";
        root = mkdtemp(pattern);
        home = root + "/home";
        korvex = root + "/usr/bin/korvex";
        fs::create_directories(root + "/usr/bin");
        fs::create_directories(root + "/usr/lib/korvex");
        fs::create_directories(home);
        fs::create_directories(root + "/run");
        fs::permissions(root + "/run", fs::perms::owner_all);
        fs::copy_file(std::string(KVX_BIN_DIR) + "/korvex", korvex);
        // The simulated board in the place of the real sensor library, so that the
        // default library is found and answers on any machine.
        fs::copy_file(std::string(KVX_BIN_DIR) + "/libkvx-sim.so", root + "/usr/lib/korvex/libkvx.so");
    }
    ~InstalledTree() { fs::remove_all(root); }

    // Runs the installed program with a clean environment; returns the exit code,
    // standard output in `out` and standard error in `err`.
    int run(const std::string& args, std::string& out, std::string& err) const {
        std::string environment = "PATH=/usr/bin:/bin HOME='" + home + "' XDG_RUNTIME_DIR='" + root +
                                  "/run' LANG=C.UTF-8";
        // A sanitizer build's options (suppressions of system libraries' leaks) go along.
        for (const char* name : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"})
            if (const char* value = std::getenv(name)) environment += std::string(" ") + name + "='" + value + "'";
        const std::string command = "env -i " + environment + " '" + korvex + "' " + args + " </dev/null >'" + root +
                                    "/out.txt' 2>'" + root + "/err.txt'";
        const int status = std::system(command.c_str());
        out = readAll(root + "/out.txt");
        err = readAll(root + "/err.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

}  // namespace

// Guards against an installed program looking for libkvx.so only beside itself
// in bin/, and against logs written into /usr/bin when root runs it (root may
// write there, but an installed program's folder is no place for logs).
TEST(InstalledProgram, FindsItsLibraryInLibKorvexAndWritesItsStateOutsideBin) {
    InstalledTree tree;
    std::string out, err;
    ASSERT_EQ(tree.run("--list-sensors", out, err), 0) << err;
    EXPECT_NE(out.find("Sensor library: " + tree.root + "/usr/lib/korvex/libkvx.so\n"), std::string::npos) << out;

    write(tree.root + "/script.txt", "at 5 click CheckBox37\n");
    ASSERT_EQ(tree.run("--headless --virtual-time --run-for 30 --script '" + tree.root + "/script.txt'", out, err), 0)
        << err;
    EXPECT_TRUE(fs::exists(tree.home + "/.local/state/korvex/kvxlog.txt")) << err;
    EXPECT_TRUE(fs::exists(tree.home + "/.config/korvex/user.reg"));
    std::vector<std::string> inBin;
    for (const auto& entry : fs::directory_iterator(tree.root + "/usr/bin")) inBin.push_back(entry.path().filename());
    EXPECT_EQ(inBin, std::vector<std::string>{"korvex"}) << "the run wrote into the program's folder";
}

// Guards against the package's machine-wide hive (/etc/korvex/machine.reg) going
// unread: "Un-install" must start the command it names, with its arguments; a
// user's own machine.reg wins over it.
TEST(InstalledProgram, UninstallRunsTheCommandOfTheMachineWideHive) {
    InstalledTree tree;
    const std::string record = tree.root + "/uninstall-ran.txt";
    const std::string recorder = tree.root + "/record-uninstall";
    write(recorder, "#!/bin/sh\necho \"$@\" > '" + record + "'\n");
    fs::permissions(recorder, fs::perms::owner_all);
    auto hive = [&](const std::string& arguments) {
        return "Windows Registry Editor Version 5.00\r\n\r\n"
               "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Korvex]\r\n"
               "\"UninstallString\"=\"" +
               recorder + " " + arguments + "\"\r\n";
    };
    write((fs::path(tree.root + "/usr") / KVX_SYSCONF_FROM_PREFIX / "korvex" / "machine.reg").lexically_normal(),
          hive("remove --yes korvex"));
    write(tree.root + "/script.txt", "at 0 answer Form5 \"&Un-install\"\nat 3 click UnInstallExit1\n");
    for (const char* expected : {"remove --yes korvex", "user-own"}) {
        SCOPED_TRACE(expected);
        if (expected == std::string("user-own")) write(tree.home + "/.config/korvex/machine.reg", hive("user-own"));
        fs::remove(record);
        std::string out, err;
        EXPECT_EQ(tree.run("--headless --virtual-time --run-for 30 --script '" + tree.root + "/script.txt'", out, err),
                  0)
            << err;
        // The command runs detached: wait for its record (no time is measured).
        for (int i = 0; i < 100 && readAll(record).empty(); ++i) usleep(100 * 1000);
        EXPECT_EQ(readAll(record), std::string(expected) + "\n") << err;
    }
}
