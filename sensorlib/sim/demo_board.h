#pragma once
#include <cstdint>

#include "sensorlib/sim/board.h"

namespace kvx::sim {

// The board played when no scenario file is named: a W83781D with two LM75
// sensors on the SMBus at 0x5000.
BoardFacts demoFacts();

// A deterministic function of the program's clock that looks alive: the
// temperatures follow bursts of load with some lag (30s to 50s in Celsius),
// the rails jitter a few hundredths of a volt each second, fans 1 and 2
// wander between about 4000 and 5000 rpm, fan 3 is absent.
Readings demoReadingsAt(std::int64_t ms);

}  // namespace kvx::sim
