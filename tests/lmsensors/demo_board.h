#pragma once
// A W83781D board with labelled, computed rails, three fans, three
// temperatures and two LM75s on an Intel-style SMBus: the tree the black-box
// test, the benchmark and kvx-fake-sysfs --demo use.
#include "fake_sysfs.h"

namespace kvx::lmsensors::testing {

// The sensors.conf of the demo board: labels for all seven rails and the
// divider formulas of the +5, +12, -12 and -5 inputs.
extern const char* const kDemoSensorsConf;

void buildDemoBoard(FakeSysfsTree& tree);

}  // namespace kvx::lmsensors::testing
