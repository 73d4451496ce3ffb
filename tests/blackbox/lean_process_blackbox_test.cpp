// What a resting korvex maps and exports: no code page converter, and from the
// executable only the symbols its desktop module uses.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <set>
#include <sstream>
#include <string>

#include "run_program.h"
#include "x_session.h"

using namespace kvx::test;

namespace {

const std::string kBin = KVX_BIN_DIR;

// The names of the dynamic symbols of `file` that it defines (or, with
// `undefined`, that it needs), as nm -D lists them.
std::set<std::string> dynamicSymbols(const std::string& file, bool undefined, std::string& problem) {
    std::string out;
    std::vector<std::string> args = {"nm", "-D", "--format=posix", undefined ? "--undefined-only" : "--defined-only",
                                     file};
    if (runTool(args, &out) != 0) problem = "nm failed on " + file;
    std::set<std::string> names;
    std::istringstream lines(out);
    std::string name;
    for (std::string line; std::getline(lines, line);) {
        name = line.substr(0, line.find(' '));
        names.insert(name.substr(0, name.find('@')));
    }
    return names;
}

}  // namespace

// Guards against: the logs' code page loading a gconv module (and glibc's converter cache),
// which stayed mapped for the whole run.
TEST(LeanProcess, ADesktopRunLoadsNoCodeConverter) {
    const std::string root = makeTempFolder();
    mkdir((root + "/runtime").c_str(), 0700);
    writeFile(root + "/script.txt",
              "at 0 answer Form9 \"&Ok\"\nat 0 answer Form3 \"&Yes\"\nat 0 answer Form2 \"&Ok\"\n"
              "at 0 answer Form6 \"&Ok\"\n");
    // LD_DEBUG=files makes the dynamic loader name every object it loads on standard error.
    const std::string command = "XDG_RUNTIME_DIR=" + root + "/runtime QT_QPA_PLATFORM=offscreen LD_DEBUG=files " +
                                kBin + "/korvex --config-dir " + root + "/config --program-folder " + root +
                                "/program --sensor-library " + kBin + "/libkvx-sim.so --script " + root +
                                "/script.txt --run-for 4 2>" + root + "/err.txt";
    ASSERT_EQ(runTool({"sh", "-c", command}, nullptr, 60000), 0) << readFile(root + "/err.txt");
    const std::string loaded = readFile(root + "/err.txt");
    ASSERT_NE(loaded.find("korvex-desktop.so"), std::string::npos) << "the loader named no objects";
    ASSERT_NE(loaded.find("libkvx-sim.so"), std::string::npos) << "the sensor library was not loaded";
    for (const char* unwanted : {"gconv", "CP1252"})
        EXPECT_EQ(loaded.find(unwanted), std::string::npos) << unwanted << " was loaded";
}

// Guards against: korvex exporting its whole core again (a larger symbol table, and no code
// left out by the linker), or exporting too little for its desktop module to load.
TEST(LeanProcess, KorvexExportsOnlyWhatItsDesktopModuleUses) {
    if (!onPath("nm")) GTEST_SKIP() << "nm (binutils) is not installed: cannot read what korvex exports";
    std::string problem;
    const auto exported = dynamicSymbols(kBin + "/korvex", false, problem);
    const auto needed = dynamicSymbols(kBin + "/korvex-desktop.so", true, problem);
    auto used = needed;
    used.merge(dynamicSymbols(kBin + "/korvex-desktop.so", false, problem));
    ASSERT_EQ(problem, "");
    // The core's own symbols: those of namespace kvx (the linker also exports the standard
    // library's templates that korvex instantiates, so that libstdc++ uses the same copies).
    auto core = [](const std::string& name) { return name.find("3kvx") != std::string::npos; };
    for (const std::string& name : exported) {
        if (!core(name)) continue;
        EXPECT_TRUE(used.count(name)) << name << " is exported but the module does not use it";
    }
    // And everything of the core that the module needs is there for it.
    int fromCore = 0;
    for (const std::string& name : needed) {
        if (!core(name)) continue;
        ++fromCore;
        EXPECT_TRUE(exported.count(name)) << name << " is needed but not exported";
    }
    EXPECT_GT(fromCore, 0) << "the module takes nothing from the core: is it still the desktop module?";
}
