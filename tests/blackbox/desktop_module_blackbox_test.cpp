// korvex links no Qt: the desktop is a module it loads only for a desktop run,
// beside the program in the build tree or in lib/korvex/ when installed.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "run_program.h"
#include "x_session.h"

using namespace kvx::test;
namespace fs = std::filesystem;

namespace {

const std::string kBin = KVX_BIN_DIR;
const char* kAnswerFirstRun =
    "at 0 answer Form9 \"&Ok\"\n"
    "at 0 answer Form3 \"&Yes\"\n"
    "at 0 answer Form2 \"&Ok\"\n"
    "at 0 answer Form6 \"&Ok\"\n";

// Runs `program` (a copy of korvex) under the offscreen platform with folders of
// its own in `root`; its standard error is returned.
ProgramRun runCopy(const std::string& root, const std::string& program, const std::string& extraArgs) {
    mkdir((root + "/runtime").c_str(), 0700);
    writeFile(root + "/script.txt", kAnswerFirstRun);
    std::string command = "XDG_RUNTIME_DIR=" + root + "/runtime QT_QPA_PLATFORM=offscreen " + program +
                          " --config-dir " + root + "/config --program-folder " + root + "/program --sensor-library " +
                          kBin + "/libkvx-sim.so --script " + root + "/script.txt " + extraArgs + " 2>" + root +
                          "/err.txt";
    ProgramRun run;
    run.exitCode = runTool({"sh", "-c", command}, nullptr, 60000);
    run.err = readFile(root + "/err.txt");
    return run;
}

void copyFile(const std::string& from, const std::string& to) {
    fs::create_directories(fs::path(to).parent_path());
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

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

// Guards against: a desktop run of a program without its module crashing or
// failing silently, and the headless program needing the module at all.
TEST(DesktopModule, WithoutTheModuleADesktopRunSaysWhatIsMissingAndHeadlessRunsOn) {
    const std::string root = makeTempFolder();
    const std::string program = root + "/bin/korvex";
    copyFile(kBin + "/korvex", program);

    ProgramRun desktop = runCopy(root, program, "--run-for 5");
    EXPECT_EQ(desktop.exitCode, 2);
    EXPECT_EQ(desktop.err, "korvex: the desktop module korvex-desktop.so is missing (looked for " + root +
                               "/bin/korvex-desktop.so " + root +
                               "/lib/korvex/korvex-desktop.so); korvex --headless runs without it\n");

    ProgramRun headless = runCopy(root, program, "--headless --virtual-time --run-for 20");
    EXPECT_EQ(headless.exitCode, 0) << headless.err;
    EXPECT_FALSE(readFile(root + "/program/updown.htm").empty()) << "the headless run made no log";
}

// Guards against: an installed program (bin/korvex, lib/korvex/korvex-desktop.so)
// not finding its desktop, or a module that cannot be loaded reported as missing.
TEST(DesktopModule, AnInstalledProgramRunsItsDesktopFromLibKorvexAndABrokenModuleIsNamed) {
    const std::string root = makeTempFolder();
    const std::string program = root + "/bin/korvex";
    copyFile(kBin + "/korvex", program);
    copyFile(kBin + "/korvex-desktop.so", root + "/lib/korvex/korvex-desktop.so");

    ProgramRun installed = runCopy(root, program, "--run-for 3");
    EXPECT_EQ(installed.exitCode, 0) << installed.err;
    EXPECT_FALSE(readFile(root + "/program/updown.htm").empty()) << "the desktop run made no log";

    // A file of that name that is no shared object: the loader's reason, not "missing".
    writeFile(root + "/bin/korvex-desktop.so", "not a shared object\n");
    ProgramRun broken = runCopy(root, program, "--run-for 3");
    EXPECT_EQ(broken.exitCode, 2);
    EXPECT_NE(broken.err.find("korvex: cannot load the desktop module: " + root + "/bin/korvex-desktop.so"),
              std::string::npos)
        << broken.err;
}
