// kvx-fake-sysfs: shows a fake sysfs tree to a program in a private mount
// namespace, so the sensor library (or the whole program) can be run against
// chips this machine does not have.
//
//   kvx-fake-sysfs --demo DIR           writes the demo board's tree into DIR
//   kvx-fake-sysfs --machine NAME DIR   writes a machine's tree into DIR
//                                       (intel-laptop, amd-desktop, arm-board, server)
//   kvx-fake-sysfs DIR -- PROGRAM ARGS  runs PROGRAM with DIR bound over
//                                       /sys/class and /etc/sensors*
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "demo_board.h"
#include "fake_sysfs.h"
#include "machine_trees.h"

using namespace kvx::lmsensors::testing;

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: kvx-fake-sysfs --demo DIR\n"
                 "       kvx-fake-sysfs --machine intel-laptop|amd-desktop|arm-board|server DIR\n"
                 "       kvx-fake-sysfs DIR -- PROGRAM [ARGS...]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--demo") == 0) {
        FakeSysfsTree tree(argv[2]);
        buildDemoBoard(tree);
        std::printf("demo tree written to %s (override hive: %s/user.reg)\n", argv[2], tree.configDir().c_str());
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--machine") == 0) {
        const Machine* machine = findMachine(argv[2]);
        if (!machine) return usage();
        FakeSysfsTree tree(argv[3]);
        machine->build(tree);
        std::printf("%s tree written to %s (override hive: %s/user.reg)\n", argv[2], argv[3], tree.configDir().c_str());
        return 0;
    }
    if (argc < 4 || std::strcmp(argv[2], "--") != 0) return usage();
    bool refused = false;
    const std::string error = enterFakeSysfs(argv[1], refused);
    if (!error.empty()) {
        std::fprintf(stderr, "kvx-fake-sysfs: %s%s\n", error.c_str(),
                     refused ? " (this machine does not allow a private mount namespace)" : "");
        return refused ? 77 : 1;
    }
    execvp(argv[3], argv + 3);
    std::fprintf(stderr, "kvx-fake-sysfs: %s: %s\n", argv[3], std::strerror(errno));
    return 127;
}
