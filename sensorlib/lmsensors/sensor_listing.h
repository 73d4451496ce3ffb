#pragma once
// The text of `korvex --list-sensors`: every chip and input the library
// found, in the style of `sensors`, and which input feeds which operation of
// the program, and why.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sensorlib/lmsensors/board_model.h"

namespace kvx::lmsensors {

using FeatureReader = std::function<std::optional<double>(FeatureRef)>;

// `overrideFile` is the user.reg whose override key changes the choices.
std::string sensorListing(const std::vector<ChipInfo>& chips, const BoardMap& map, const FeatureReader& read,
                          const std::string& overrideFile);

}  // namespace kvx::lmsensors
