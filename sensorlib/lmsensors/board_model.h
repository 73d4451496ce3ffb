#pragma once
// What the library knows about the machine's chips, independent of libsensors:
// the mapping rules work on this plain description so they can be tested with
// tables of boards.
#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace kvx::lmsensors {

enum class FeatureKind { Voltage, Fan, Temperature, Other };
enum class BusKind { Isa, I2c, Pci, Other };

struct FeatureInfo {
    std::string name;   // libsensors feature name: "in3", "fan1", "temp2"
    std::string label;  // as `sensors` shows it (sensors.conf label, else the name)
    FeatureKind kind = FeatureKind::Other;
};

struct ChipInfo {
    std::string name;    // full chip name as `sensors` prints it: "w83781d-isa-0290"
    std::string prefix;  // driver-given chip name: "w83781d"
    BusKind bus = BusKind::Other;
    int busNumber = 0;  // i2c adapter number on I2c
    int address = 0;    // i2c address or ISA port
    std::vector<FeatureInfo> features;
    std::string adapter;  // as `sensors` names the bus: "ISA adapter", "PCI adapter"
};

// One operation of the sensor library that a feature feeds.
enum class Slot : std::size_t {
    Core0,
    Core1,
    P33,
    P5,
    P12,
    N12,
    N5,
    Fan1,
    Fan2,
    Fan3,
    Temp1,
    Temp2,
    Temp3,
    Lm75First,                 // LM75 at read address 0x91 ...
    Lm75Last = Lm75First + 7,  // ... through 0x9F
    Count
};
constexpr std::size_t kSlotCount = static_cast<std::size_t>(Slot::Count);
constexpr std::size_t slotIndex(Slot s) { return static_cast<std::size_t>(s); }

// A feature of a chip, by position in the chip list; -1 = nothing bound.
struct FeatureRef {
    int chip = -1;
    int feature = -1;
    bool bound() const { return chip >= 0 && feature >= 0; }
    bool operator==(const FeatureRef&) const = default;
};

struct BoardMap {
    int mainChip = -1;      // the mainboard monitor chip (rails), -1 = none
    int smbusAdapter = -1;  // i2c adapter number the LM75 slots use, -1 = none
    std::array<FeatureRef, kSlotCount> slots;
    std::array<std::string, kSlotCount> reasons;  // why each slot is bound as it is (or not)
    std::vector<std::string> warnings;            // overrides that named something absent

    // A rail or fan is bound: the program then reads volts and fans.
    bool hasRailsOrFans() const {
        for (std::size_t s = slotIndex(Slot::Core0); s <= slotIndex(Slot::Fan3); ++s)
            if (slots[s].bound()) return true;
        return false;
    }
};

}  // namespace kvx::lmsensors
