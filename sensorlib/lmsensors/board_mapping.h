#pragma once
// The mapping rules: which chip is the mainboard monitor, which of its
// features feeds each rail, fan and temperature, which LM75 answers which read
// address, and how the user's overrides change that.
#include <string>
#include <vector>

#include "sensorlib/lmsensors/board_model.h"
#include "sensorlib/lmsensors/overrides.h"

namespace kvx::lmsensors {

struct AdapterInfo {
    int number = 0;    // i2c-N
    std::string name;  // the adapter's name file
};

// Chips are referred to by their position in `chips`; ties between equally
// good candidates go to the chip listed first, so callers list chips in a
// stable order (see stableChipOrder).
BoardMap mapBoard(const std::vector<ChipInfo>& chips, const std::vector<AdapterInfo>& adapters,
                  const Overrides& overrides);

// The positions of `chips` ordered by bus kind (ISA, i2c, PCI, other), bus
// number and address, so that choices do not depend on the order in which
// the kernel numbered the hwmon devices.
std::vector<std::size_t> stableChipOrder(const std::vector<ChipInfo>& chips);

// Which rail a voltage label names ("+3.3V" -> P33), or Slot::Count for none.
Slot railForLabel(const std::string& label);

}  // namespace kvx::lmsensors
