#pragma once
// Loads the built libkvx.so inside a fake sysfs namespace and collects every
// answer it gives, as text keyed by operation.
#include <functional>
#include <map>
#include <string>

#include "fake_sysfs.h"

namespace kvx::lmsensors::testing {

struct LibraryAnswers {
    bool skipped = false;  // no namespace on this machine: `error` says why
    bool ok = false;
    std::string error;
    // startup, check, chipid, smbus (4 hex digits), core0 core1 p33 p5 p12
    // n12 n5 (%.3f, "nan" = no reading), fan1..fan3, temp1, wb2, wb3 (%.2f),
    // lm75.91 .. lm75.9f, lm75.90 (a write address), lm75.otherbus
    std::map<std::string, std::string> values;
};

// `before` runs right after loading, with dlsym-style lookup of operations.
using SymbolLookup = std::function<void*(const char*)>;
LibraryAnswers probeLibrary(const FakeSysfsTree& tree, const std::function<void(const SymbolLookup&)>& before = {});

}  // namespace kvx::lmsensors::testing
