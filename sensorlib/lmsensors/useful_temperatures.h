#pragma once
// Which of the machine's temperatures matter most to a user, in order: the
// processor, the mainboard, a drive, then further processor packages and the
// mainboard chip's other temperatures. The program reads three temperature
// operations; the first three of this list feed them.
#include <string>
#include <vector>

#include "sensorlib/lmsensors/board_model.h"

namespace kvx::lmsensors {

struct TemperatureChoice {
    FeatureRef feature;
    std::string reason;  // "processor (coretemp Package id 0)"
};

// `mainChip` is the mainboard monitor chip (-1 = none). No feature appears twice.
std::vector<TemperatureChoice> usefulTemperatures(const std::vector<ChipInfo>& chips, int mainChip);

}  // namespace kvx::lmsensors
