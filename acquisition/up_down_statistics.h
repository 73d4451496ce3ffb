#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "acquisition/channels.h"
#include "acquisition/conversions.h"
#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::acquisition {

// Lowest, highest and running sum of one channel since the last reset. A
// lowest of exactly 0 counts as unset.
struct StatisticsRecord {
    double lowest = 0;
    double highest = 0;
    long double sum = 0;
    int32_t count = 0;
};

// The Up/Down page: one record per channel and the grid that shows them.
class UpDownStatistics {
public:
    // Builds the grid, the poll-count label and the Save and Reset buttons in `page`.
    UpDownStatistics(ui::Window& form, ui::Control* page);

    // The current temperature of a sensor, as its gauge holds it (sensor 1..3).
    void updateTemperature(int sensor, float celsius, const TemperatureTextRules& rules);
    // A rail voltage; the negative rails keep the value nearest zero as lowest.
    void updateRail(TChannel channel, double volts, const NumberFormat& number);
    void updateFan(int fan, double rpm, const NumberFormat& number);

    // Clears every record and every value text; then polls now (when polling).
    void UDTabResetSpeedButtonClick();
    // Rewrites the temperature rows' extremes in the new unit, then clears their records.
    void switchUnit(const TemperatureTextRules& newRules);
    // "Number of Polls: " + the count of the core-voltage record.
    void updatePollCount();

    const StatisticsRecord& record(TChannel channel) const { return records_[index(channel)]; }
    ui::Label& nameLabel(TChannel channel) { return *rows_[index(channel)].name; }
    ui::Label& lowestLabel(TChannel channel) { return *rows_[index(channel)].lowest; }
    ui::Label& highestLabel(TChannel channel) { return *rows_[index(channel)].highest; }
    ui::Label& averageLabel(TChannel channel) { return *rows_[index(channel)].average; }

    // Set by the owner: poll now (Reset), and save the Up/Down log (Save).
    std::function<void()> pollNow;
    std::function<void()> onSave;

private:
    struct Row {
        ui::Label* name;
        ui::Label* lowest;
        ui::Label* highest;
        ui::Label* average;
    };
    static int index(TChannel channel) { return static_cast<int>(channel); }
    void average(TChannel channel, int decimals, const NumberFormat& number);

    std::array<StatisticsRecord, kChannelCount> records_{};
    std::array<Row, kChannelCount> rows_{};
    ui::Label& pollsLabel_;
    ui::Button& saveButton_;
    ui::Button& resetButton_;
};

}  // namespace kvx::acquisition
