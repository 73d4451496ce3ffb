#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "sensorlib/sim/demo_board.h"
#include "sensorlib/sim/logo.h"
#include "sensorlib/sim/scenario.h"
#include "sensorlib/sim/timeline.h"

namespace kvx::sim {
namespace {

Timeline timelineOf(const std::string& text) {
    ScenarioResult result = parseScenario(text, "t");
    EXPECT_EQ(result.error, "");
    return Timeline(result.scenario ? result.scenario->rows : std::vector<Row>{});
}

TEST(Timeline, RowsApplyFromTheirSecondAndValuesHold) {
    const Timeline timeline = timelineOf(
        "at 10 temp=40 wb2=41.5 fans=4500,4400,255 volts=2,2.8,3.3,5,12,-12,-5\n"
        "at 60 temp=71 fans=4500,0,255\n"
        "at 60 lm75.2=50\n"  // same second: merges with the row above
        "at 90.5 wb2=-1\n");
    struct Probe {
        std::int64_t ms;
        std::int32_t temp;
        double wb2;
        std::int32_t fan2;
        std::int32_t lm75_2;
        double p5;
    };
    const Probe probes[] = {
        {-5000, -1, -1, 255, -1, 0},  // before any row: no readings
        {9999, -1, -1, 255, -1, 0},     {10000, 40, 41.5, 4400, -1, 5},
        {59999, 40, 41.5, 4400, -1, 5}, {60000, 71, 41.5, 0, 50, 5},  // wb2 and volts hold
        {90499, 71, 41.5, 0, 50, 5},    {86400000, 71, -1, 0, 50, 5},
    };
    for (const Probe& p : probes) {
        SCOPED_TRACE(p.ms);
        Readings r = timeline.at(p.ms);
        EXPECT_EQ(r.temp, p.temp);
        EXPECT_EQ(r.wb2, p.wb2);
        EXPECT_EQ(r.fans[1], p.fan2);
        EXPECT_EQ(r.lm75[1], p.lm75_2);
        EXPECT_EQ(r.volts[3], p.p5);
        EXPECT_EQ(r.wb3, -1);
        EXPECT_EQ(r.fans[2], 255);
    }
}

// Without a chip the rows' chip readings must not leak out; the LM75s stay.
TEST(Board, NoChipHidesChipReadingsOnly) {
    BoardFacts facts;
    facts.chip = Chip::None;
    Readings given;
    given.temp = 40;
    given.wb2 = 41;
    given.volts[0] = 2.0;
    given.fans = {4000, 4000, 4000};
    given.lm75[0] = 33;
    Readings expected;
    expected.lm75[0] = 33;
    EXPECT_EQ(visibleReadings(facts, given), expected);
    facts.chip = Chip::LM78;
    EXPECT_EQ(visibleReadings(facts, given), given);
}

TEST(Board, Lm75Addressing) {
    Readings r;
    for (int i = 0; i < kLm75Count; ++i) r.lm75[i] = 30 + i;
    BoardFacts facts;  // SMBus at 0x5000
    BoardFacts noBus;
    noBus.smbus = kNoSmbus;
    struct Case {
        const BoardFacts& facts;
        std::uint16_t smbus;
        std::int32_t address;
        std::int32_t expected;
    };
    const Case cases[] = {
        {facts, 0x5000, 0x93, 31},   {facts, 0x5000, 0x9F, 37}, {facts, 0x5000, 0x92, -1},  // a write address
        {facts, 0x5000, 0xA1, -1},   {facts, 0x5000, 0x8F, -1}, {facts, 0x0400, 0x91, -1},  // not this board's SMBus
        {noBus, kNoSmbus, 0x91, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(lm75At(c.facts, r, c.smbus, c.address), c.expected);
    }
}

TEST(DemoBoard, StaysPlausibleAndChangesOverMinutes) {
    static constexpr double nominal[kRailCount] = {2.80, 2.05, 3.31, 5.02, 12.10, -11.90, -5.01};
    std::int32_t lowest = 1000, highest = -1000;
    for (std::int64_t ms = 0; ms <= 600000; ms += 1000) {
        SCOPED_TRACE(ms);
        const Readings r = demoReadingsAt(ms);
        for (double celsius : {double(r.temp), r.wb2, r.wb3, double(r.lm75[0]), double(r.lm75[1])}) {
            EXPECT_GE(celsius, 28);
            EXPECT_LE(celsius, 56);
        }
        for (int i = 2; i < kLm75Count; ++i) EXPECT_EQ(r.lm75[i], -1);
        for (int i = 0; i < kRailCount; ++i) EXPECT_NEAR(r.volts[i], nominal[i], 0.1);
        for (int i = 0; i < 2; ++i) {
            EXPECT_GE(r.fans[i], 3800);
            EXPECT_LE(r.fans[i], 5200);
        }
        EXPECT_EQ(r.fans[2], kNoFan);
        EXPECT_EQ(demoReadingsAt(ms), r);  // a function of the clock alone
        lowest = std::min(lowest, r.temp);
        highest = std::max(highest, r.temp);
    }
    EXPECT_GE(highest - lowest, 5) << "the demo board should look alive";
}

TEST(Logo, IsA24BitBmpOfTheDeclaredSize) {
    const std::vector<std::uint8_t> bmp = drawLogoBmp();
    auto u32 = [&](std::size_t at) {
        return std::uint32_t(bmp.at(at)) | bmp.at(at + 1) << 8 | bmp.at(at + 2) << 16 |
               std::uint32_t(bmp.at(at + 3)) << 24;
    };
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(u32(2), bmp.size());
    EXPECT_EQ(u32(18), std::uint32_t(kLogoWidth));
    EXPECT_EQ(bmp[28], 24);
    EXPECT_EQ(bmp.size(), 54u + kLogoWidth * kLogoHeight * 3);
    std::set<std::uint32_t> colours;  // something is drawn on the background
    for (std::size_t at = 54; at + 2 < bmp.size(); at += 3)
        colours.insert(bmp[at] | bmp[at + 1] << 8 | bmp[at + 2] << 16);
    EXPECT_GE(colours.size(), 8u);
}

}  // namespace
}  // namespace kvx::sim
