#pragma once
// Fake sysfs trees of machines people have today, with the attributes and
// labels their kernel drivers really expose: an Intel laptop, an AMD desktop,
// a small ARM board and a two-socket server.
#include <string>
#include <vector>

#include "fake_sysfs.h"

namespace kvx::lmsensors::testing {

struct Machine {
    const char* name;  // "intel-laptop", ... (also the golden file's name)
    void (*build)(FakeSysfsTree& tree);
};

// All of them, in a fixed order.
const std::vector<Machine>& machines();

// The machine called `name`, or nullptr.
const Machine* findMachine(const std::string& name);

}  // namespace kvx::lmsensors::testing
