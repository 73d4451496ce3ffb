// Which chip input feeds which reading, read from the sensor libraries' real listings.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "metrics/channel_sources.h"

using namespace kvx::metrics;

namespace {

std::string listing(const std::string& name) {
    std::ifstream in(std::string(KVX_LISTINGS_DIR) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

// Guards against: "source" labels that lose the input behind a reading on real machines.
TEST(ChannelSources, NamesTheInputOfEachChannelOnRealMachines) {
    struct Case {
        const char* file;
        const char* chip;
        std::vector<std::pair<const char*, const char*>> inputs;
    };
    const Case cases[] = {
        {"intel-laptop.txt", "none", {{"Temp1", "coretemp-isa-0000/Package id 0"}}},
        {"amd-desktop.txt",
         "nct6775-isa-0290",
         {{"Temp1", "k10temp-pci-00c3/Tctl"},
          {"Temp2", "nct6775-isa-0290/SYSTIN"},
          {"Temp3", "nvme-pci-0100/Composite"},
          {"Fan2", "nct6775-isa-0290/fan2"}}},
        {"arm-board.txt", "none", {{"Temp1", "cpu_thermal-virtual-0/temp1"}}},
    };
    for (const Case& c : cases) {
        const std::string text = listing(c.file);
        ASSERT_FALSE(text.empty()) << c.file;
        const ChannelSources sources = parseChannelSources(text);
        EXPECT_FALSE(sources.simulated) << c.file;
        EXPECT_EQ(sources.chip, c.chip) << c.file;
        for (auto [channel, input] : c.inputs) EXPECT_EQ(sources.sourceOf(channel, "?"), input) << c.file;
    }
    // A channel that the library left without input falls back instead of saying "none".
    EXPECT_EQ(parseChannelSources(listing("arm-board.txt")).sourceOf("Temp2", "WinBond 2"), "WinBond 2");
}

// Guards against: the simulated board passing for real sensors in a fleet's dashboards.
TEST(ChannelSources, TheSimulatedBoardIsAlwaysSim) {
    const ChannelSources sources = parseChannelSources(
        "SIMULATED BOARD (kvx-sim): no real sensor is read; readings follow the scenario file.\n"
        "Chip: w83781d\nTemp1:  +35.0\xC2\xB0"
        "C\n");
    EXPECT_TRUE(sources.simulated);
    EXPECT_EQ(sources.chip, "w83781d");
    EXPECT_EQ(sources.sourceOf("Temp1", "WinBond 1"), "sim");
}
