#pragma once
// Which chips are which: mainboard monitors, LM75-style sensors, chip IDs.
#include <string_view>

#include "sensorlib/lmsensors/board_model.h"

namespace kvx::lmsensors {

// How well a chip fits as the mainboard monitor: 0 = the classic LM78/LM79/
// W83781D, 1 = a known mainboard monitor family, 2 = an unknown chip on the
// ISA or i2c bus that has at least three voltage inputs and a fan; -1 = not one.
int mainboardChipRank(const ChipInfo& chip);

// True for chips that the lm75 driver serves (lm75, tmp75, ds75, ...).
bool isLm75Family(std::string_view prefix);

// 0x10 for a W83781D, 0x2D for an LM78 or LM79, 0 otherwise.
int chipIdFor(std::string_view prefix);

// Shell-style match where '*' stands for any run of characters and '?' for
// one; case-insensitive.
bool globMatch(std::string_view pattern, std::string_view text);

}  // namespace kvx::lmsensors
