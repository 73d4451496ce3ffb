// The mapping rules over plain chip descriptions.
#include <gtest/gtest.h>

#include "sensorlib/lmsensors/board_mapping.h"
#include "sensorlib/lmsensors/chip_families.h"

using namespace kvx::lmsensors;

namespace {

FeatureInfo voltage(const std::string& name, const std::string& label = "") {
    return {name, label.empty() ? name : label, FeatureKind::Voltage};
}

ChipInfo chip(const std::string& prefix, BusKind bus, int address, std::vector<FeatureInfo> features = {}) {
    const char* busText = bus == BusKind::Isa ? "isa" : bus == BusKind::I2c ? "i2c-0" : "pci";
    char name[64];
    std::snprintf(name, sizeof name, "%s-%s-%04x", prefix.c_str(), busText, address);
    return {name, prefix, bus, 0, address, std::move(features), ""};
}

std::vector<FeatureInfo> classicFeatures() {
    std::vector<FeatureInfo> f;
    f.reserve(7 + 3 + 3);
    for (int i = 0; i < 7; ++i) f.push_back(voltage("in" + std::to_string(i)));
    for (const char* n : {"fan1", "fan2", "fan3"}) f.push_back({n, n, FeatureKind::Fan});
    for (const char* n : {"temp1", "temp2", "temp3"}) f.push_back({n, n, FeatureKind::Temperature});
    return f;
}

std::string featureOf(const std::vector<ChipInfo>& chips, const BoardMap& map, Slot slot) {
    const FeatureRef ref = map.slots[slotIndex(slot)];
    return ref.bound() ? chips[ref.chip].name + "/" + chips[ref.chip].features[ref.feature].name : "-";
}

}  // namespace

TEST(LmsensorsMapping, MainboardChipChoice) {
    const auto withInputs = classicFeatures();
    struct Case {
        const char* what;
        std::vector<ChipInfo> chips;
        int expected;
    } cases[] = {
        {"a classic chip beats a newer family",
         {chip("w83627hf", BusKind::Isa, 0x290, withInputs), chip("lm79", BusKind::Isa, 0x290, withInputs)},
         1},
        {"a family chip beats temperature-only chips",
         {chip("k10temp", BusKind::Pci, 0xc3), chip("nct6798", BusKind::Isa, 0x290), chip("lm75", BusKind::I2c, 0x48)},
         1},
        {"a graphics card with volts and a fan is no mainboard chip",
         {chip("amdgpu", BusKind::Pci, 0x100, withInputs)},
         -1},
        {"an unknown ISA chip with volts and a fan qualifies", {chip("superio9", BusKind::Isa, 0x290, withInputs)}, 0},
        {"an unknown ISA chip with only temperatures does not", {chip("coretemp", BusKind::Isa, 0)}, -1},
        {"no chips", {}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(mapBoard(c.chips, {}, {}).mainChip, c.expected);
    }
}

TEST(LmsensorsMapping, RailLabelsAreRecognised) {
    const std::pair<const char*, Slot> cases[] = {
        {"VCore 1", Slot::Core0}, {"CPU Core", Slot::Core0}, {"VCore 2", Slot::Core1}, {"3VCC", Slot::P33},
        {"+5V", Slot::P5},        {"-12V", Slot::N12},       {"-5 V", Slot::N5},       {"3VSB", Slot::Count},
        {"in3", Slot::Count},     {"5VSB", Slot::Count},
    };
    for (const auto& [label, slot] : cases) EXPECT_EQ(railForLabel(label), slot) << label;
}

TEST(LmsensorsMapping, Lm75sAnswerByAddressOnTheChosenAdapterOnly) {
    auto lm75 = [](int bus, int address) {
        ChipInfo c = chip("lm75", BusKind::I2c, address, {{"temp1", "temp1", FeatureKind::Temperature}});
        c.busNumber = bus;
        c.name += "-" + std::to_string(bus);
        return c;
    };
    const std::vector<ChipInfo> chips = {lm75(3, 0x48), lm75(3, 0x4f), lm75(4, 0x49)};
    const BoardMap map = mapBoard(chips, {{4, "SMBus other"}, {3, "i2c-3"}}, {});
    EXPECT_EQ(map.smbusAdapter, 3);
    EXPECT_EQ(map.slots[slotIndex(Slot::Lm75First)], (FeatureRef{0, 0}));
    EXPECT_FALSE(map.slots[slotIndex(Slot::Lm75First) + 1].bound());
    EXPECT_EQ(map.slots[slotIndex(Slot::Lm75Last)], (FeatureRef{1, 0}));
    // Without LM75s, an adapter named SMBus is the SMBus; other adapters are not.
    EXPECT_EQ(mapBoard({}, {{0, "i915 gmbus"}, {7, "SMBus PIIX4 adapter port 0 at 0b00"}}, {}).smbusAdapter, 7);
    EXPECT_EQ(mapBoard({}, {{0, "i915 gmbus"}}, {}).smbusAdapter, -1);
}

TEST(LmsensorsMapping, OverridesWinAndReportWhatIsMissing) {
    const std::vector<ChipInfo> chips = {
        chip("w83781d", BusKind::Isa, 0x290, classicFeatures()),
        chip("it8728", BusKind::Isa, 0xa30, {{"temp1", "CPU Temp", FeatureKind::Temperature}})};
    Overrides o;
    o.slots[slotIndex(Slot::Temp1)] = ChannelOverride{false, "it8728-*", "cpu temp", "it8728-*/cpu temp"};
    o.slots[slotIndex(Slot::Fan2)] = ChannelOverride{true, "", "", "none"};
    o.slots[slotIndex(Slot::Temp3)] = ChannelOverride{false, "nosuchchip", "temp1", "nosuchchip/temp1"};
    o.slots[slotIndex(Slot::P5)] = ChannelOverride{false, "", "in9", "in9"};
    const BoardMap map = mapBoard(chips, {}, o);
    EXPECT_EQ(featureOf(chips, map, Slot::Temp1), "it8728-isa-0a30/temp1");
    EXPECT_EQ(featureOf(chips, map, Slot::Fan2), "-");
    EXPECT_EQ(featureOf(chips, map, Slot::Temp3), "-");
    EXPECT_EQ(featureOf(chips, map, Slot::P5), "-");
    EXPECT_EQ(featureOf(chips, map, Slot::Fan1), "w83781d-isa-0290/fan1");
    EXPECT_EQ(map.warnings.size(), 2u);

    Overrides chipOverride;
    chipOverride.chip = "none";
    EXPECT_EQ(mapBoard(chips, {}, chipOverride).mainChip, -1);
    chipOverride.chip = "it87*";
    EXPECT_EQ(mapBoard(chips, {}, chipOverride).mainChip, 1);
}

TEST(LmsensorsMapping, ChipOrderIgnoresKernelNumbering) {
    const std::vector<ChipInfo> chips = {chip("lm75", BusKind::I2c, 0x48), chip("nct6798", BusKind::Isa, 0x290),
                                         chip("k10temp", BusKind::Pci, 0xc3)};
    EXPECT_EQ(stableChipOrder(chips), (std::vector<std::size_t>{1, 0, 2}));
}

TEST(LmsensorsMapping, GlobAndChipIds) {
    EXPECT_TRUE(globMatch("W83781D-*", "w83781d-isa-0290"));
    EXPECT_FALSE(globMatch("it87*", "nct6798-isa-0290"));
    EXPECT_FALSE(globMatch("lm75", "lm75-i2c-0-48"));
    EXPECT_EQ(chipIdFor("lm79"), 0x2D);
    EXPECT_EQ(chipIdFor("w83782d"), 0);
}

namespace {

FeatureInfo temperature(const std::string& name, const std::string& label = "") {
    return {name, label.empty() ? name : label, FeatureKind::Temperature};
}

std::string temperaturesOf(const std::vector<ChipInfo>& chips, const BoardMap& map) {
    return featureOf(chips, map, Slot::Temp1) + " " + featureOf(chips, map, Slot::Temp2) + " " +
           featureOf(chips, map, Slot::Temp3);
}

}  // namespace

// Guards against temperatures taken from one chip only: the three operations
// get the processor, the mainboard and a drive from whichever chips have them.
TEST(LmsensorsMapping, MostUsefulTemperaturesFeedTheThreeOperations) {
    struct Case {
        const char* what;
        std::vector<ChipInfo> chips;
        const char* expected;
    } cases[] = {
        {"Tdie, the true die temperature, before Tctl",
         {chip("zenpower", BusKind::Pci, 0xc3, {temperature("temp1", "Tctl"), temperature("temp2", "Tdie")})},
         "zenpower-pci-00c3/temp2 - -"},
        {"an old coretemp without a package sensor gives its first core",
         {chip("coretemp", BusKind::Isa, 0, {temperature("temp2", "Core 0"), temperature("temp3", "Core 1")})},
         "coretemp-isa-0000/temp2 - -"},
        {"processor, then the Super-I/O's SYSTIN (not CPUTIN), then drivetemp; acpitz loses to the Super-I/O",
         {chip("nct6798", BusKind::Isa, 0x290, {temperature("temp1", "CPUTIN"), temperature("temp2", "SYSTIN")}),
          chip("drivetemp", BusKind::Other, 0, {temperature("temp1")}),
          chip("acpitz", BusKind::Other, 1, {temperature("temp1")}),
          chip("k10temp", BusKind::Pci, 0xc3, {temperature("temp1", "Tctl")})},
         "k10temp-pci-00c3/temp1 nct6798-isa-0290/temp2 drivetemp-pci-0000/temp1"},
        {"without processor and drive, the mainboard chip's other temperatures follow",
         {chip("w83627hf", BusKind::Isa, 0x290, {temperature("temp1"), temperature("temp2"), temperature("temp3")})},
         "w83627hf-isa-0290/temp1 w83627hf-isa-0290/temp2 w83627hf-isa-0290/temp3"},
        {"a graphics card's temperatures are never chosen by default",
         {chip("amdgpu", BusKind::Pci, 0x300, {temperature("temp1", "edge")})},
         "- - -"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<ChipInfo> chips = c.chips;
        std::vector<ChipInfo> ordered;
        for (std::size_t i : stableChipOrder(chips)) ordered.push_back(chips[i]);
        EXPECT_EQ(temperaturesOf(ordered, mapBoard(ordered, {}, {})), c.expected);
    }
}

// Guards against fans and rails invented or lost: fans come from any chip
// after the mainboard chip's own; a bare override feature is found on any chip.
TEST(LmsensorsMapping, FansFromAnyChipAndBareOverridesOnAnyChip) {
    const std::vector<ChipInfo> chips = {
        chip("nct6798", BusKind::Isa, 0x290,
             {voltage("in0", "Vcore"), voltage("in5"), {"fan2", "fan2", FeatureKind::Fan}}),
        chip("thinkpad", BusKind::Isa, 0x300, {{"fan1", "fan1", FeatureKind::Fan}, {"fan2", "fan2", FeatureKind::Fan}}),
        chip("nvme", BusKind::Pci, 0x100, {temperature("temp1", "Composite")})};
    const BoardMap map = mapBoard(chips, {}, {});
    EXPECT_EQ(featureOf(chips, map, Slot::Fan1), "thinkpad-isa-0300/fan1");
    EXPECT_EQ(featureOf(chips, map, Slot::Fan2), "nct6798-isa-0290/fan2");
    EXPECT_EQ(featureOf(chips, map, Slot::Fan3), "thinkpad-isa-0300/fan2");
    EXPECT_EQ(featureOf(chips, map, Slot::Core0), "nct6798-isa-0290/in0");
    EXPECT_EQ(featureOf(chips, map, Slot::N12), "-") << "an unnamed in5 beside named rails is no -12 V";
    EXPECT_TRUE(map.hasRailsOrFans());

    Overrides o;
    o.slots[slotIndex(Slot::Temp1)] = ChannelOverride{false, "", "composite", "composite"};
    EXPECT_EQ(featureOf(chips, mapBoard(chips, {}, o), Slot::Temp1), "nvme-pci-0100/temp1");

    const std::vector<ChipInfo> temperaturesOnly = {chip("cpu_thermal", BusKind::Other, 0, {temperature("temp1")})};
    EXPECT_FALSE(mapBoard(temperaturesOnly, {}, {}).hasRailsOrFans());
}
