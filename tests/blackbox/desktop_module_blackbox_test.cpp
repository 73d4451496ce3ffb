// korvex links no Qt: the desktop is a module it loads only for a desktop run,
// beside the program in the build tree or in lib/korvex/ when installed.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "blackbox.h"
#include "x_session.h"

using namespace kvx::test;
namespace fs = std::filesystem;

namespace {

const std::string kBin = KVX_BIN_DIR;

// A copy of korvex in <root>/bin, run under the offscreen platform with folders of its
// own for each run (`name`), its first run answered by the script.
struct ProgramCopy : RunFolder {
    const std::string program = file("bin/korvex");
    ProgramCopy() {
        copyFile(kBin + "/korvex", program);
        mkdir(file("runtime").c_str(), 0700);
        writeFile(file("script.txt"),
                  "at 0 answer Form9 \"&Ok\"\nat 0 answer Form3 \"&Yes\"\nat 0 answer Form2 \"&Ok\"\n"
                  "at 0 answer Form6 \"&Ok\"\n");
    }
    static void copyFile(const std::string& from, const std::string& to) {
        fs::create_directories(fs::path(to).parent_path());
        fs::copy_file(from, to, fs::copy_options::overwrite_existing);
    }
    ProgramRun run(const std::string& name, const std::string& extraArgs) const {
        const std::string command = "XDG_RUNTIME_DIR=" + file("runtime") + " QT_QPA_PLATFORM=offscreen " + program +
                                    " --config-dir " + file(name + "-config") + " --program-folder " +
                                    file(name + "-program") + " --sensor-library " + kSim + " --script " +
                                    file("script.txt") + " " + extraArgs + " 2>" + file(name + "-err.txt");
        ProgramRun run;
        run.exitCode = runTool({"sh", "-c", command}, nullptr, 60000);
        run.err = readFile(file(name + "-err.txt"));
        return run;
    }
    bool madeItsLog(const std::string& name) const { return !readFile(file(name + "-program/updown.htm")).empty(); }
};

// The shared objects a program or module names as needed (readelf -d).
std::string neededLibraries(const std::string& file) {
    std::string out;
    if (runTool({"readelf", "-d", file}, &out) != 0) return "readelf failed on " + file;
    std::string needed;
    size_t at = 0;
    while ((at = out.find("(NEEDED)", at)) != std::string::npos) {
        size_t end = out.find('\n', at);
        needed += out.substr(at, end - at) + "\n";
        at = end;
    }
    return needed;
}

}  // namespace

// Guards against: the headless program mapping libraries it never uses at rest: Qt's (ICU, GL,
// X11, ...), and the sound and trash libraries (ALSA, libsndfile's codecs, GIO), which belong in
// the modules loaded when first needed.
TEST(DesktopModule, KorvexNeedsNoQtSoundOrTrashLibrariesAndItsModulesDo) {
    if (!onPath("readelf")) GTEST_SKIP() << "readelf (binutils) is not installed: cannot read what korvex links";
    const std::string program = neededLibraries(kBin + "/korvex");
    const std::string module = neededLibraries(kBin + "/korvex-desktop.so");
    const std::string media = neededLibraries(kBin + "/korvex-media.so");
    for (const char* library : {"libQt6", "libasound", "libsndfile", "libgio"})
        EXPECT_EQ(program.find(library), std::string::npos) << library << " in " << program;
    EXPECT_NE(program.find("libc.so"), std::string::npos) << program;
    EXPECT_NE(module.find("libQt6Widgets"), std::string::npos) << module;
    for (const char* library : {"libasound", "libsndfile", "libgio"})
        EXPECT_NE(media.find(library), std::string::npos) << library << " missing from " << media;
}

// Guards against: a desktop run of a program without its module crashing or failing silently,
// the headless program needing the module at all, an installed program (bin/korvex,
// lib/korvex/korvex-desktop.so) not finding its desktop, and a module that cannot be loaded
// reported as missing.
TEST(DesktopModule, TheProgramFindsItsDesktopModuleOrSaysWhyNotAndHeadlessNeedsNone) {
    ProgramCopy copy;
    ProgramRun desktop = copy.run("missing", "--run-for 5");
    EXPECT_EQ(desktop.exitCode, 2);
    EXPECT_EQ(desktop.err, "korvex: the desktop module korvex-desktop.so is missing (looked for " + copy.path +
                               "/bin/korvex-desktop.so " + copy.path +
                               "/lib/korvex/korvex-desktop.so); korvex --headless runs without it\n");
    ProgramRun headless = copy.run("headless", "--headless --virtual-time --run-for 20");
    EXPECT_EQ(headless.exitCode, 0) << headless.err;
    EXPECT_TRUE(copy.madeItsLog("headless")) << "the headless run made no log";

    ProgramCopy::copyFile(kBin + "/korvex-desktop.so", copy.file("lib/korvex/korvex-desktop.so"));
    ProgramRun installed = copy.run("installed", "--run-for 3");
    EXPECT_EQ(installed.exitCode, 0) << installed.err;
    EXPECT_TRUE(copy.madeItsLog("installed")) << "the desktop run made no log";

    // A file of that name that is no shared object: the loader's reason, not "missing".
    writeFile(copy.file("bin/korvex-desktop.so"), "not a shared object\n");
    ProgramRun broken = copy.run("broken", "--run-for 3");
    EXPECT_EQ(broken.exitCode, 2);
    EXPECT_NE(broken.err.find("korvex: cannot load the desktop module: " + copy.file("bin/korvex-desktop.so")),
              std::string::npos)
        << broken.err;
}
