#include "acquisition/up_down_statistics.h"

#include <cmath>

namespace kvx::acquisition {
namespace {

struct RowDesign {
    const char* key;
    const char* name;
};

// Row names of the grid and their first texts, in channel order.
constexpr RowDesign kRows[kChannelCount] = {
    {"WB1", "Motherboard"},  {"LM75", "CPU"},      {"WB2", "WB Sensor 2"}, {"Core", "Core Voltage"},
    {"P33", "+3.3 Voltage"}, {"P5", "+5 Voltage"}, {"N5", "-5 Voltage"},   {"P12", "+12 Voltage"},
    {"N12", "-12 Voltage"},  {"Fan1", "Fan 1"},    {"Fan2", "Fan 2"},      {"Fan3", "Fan 3"},
};

bool isNegativeRail(TChannel channel) { return channel == TChannel::N5Voltage || channel == TChannel::N12Voltage; }

}  // namespace

UpDownStatistics::UpDownStatistics(ui::Window& form, ui::Control* page)
    : pollsLabel_(form.add<ui::Label>(page, "UDTabPollsLabel")),
      saveButton_(form.add<ui::Button>(page, "UDTabSaveSpeedButton")),
      resetButton_(form.add<ui::Button>(page, "UDTabResetSpeedButton")) {
    const char* heads[] = {"Lowest", "Highest", "Average"};
    for (int c = 0; c < 3; ++c) {
        auto& head = form.add<ui::Label>(page, std::string("UDTab") + heads[c] + "HeadLabel");
        head.setCaption(heads[c]);
        head.setBounds({92 + 56 * c, 4, 54, 13});
    }
    for (int i = 0; i < kChannelCount; ++i) {
        std::string prefix = std::string("UDTab") + kRows[i].key;
        // A gap after the three temperature rows.
        int top = 20 + 15 * i + (i >= 3 ? 6 : 0);
        Row& row = rows_[i];
        row.name = &form.add<ui::Label>(page, prefix + "NameLabel");
        row.lowest = &form.add<ui::Label>(page, prefix + "LowestLabel");
        row.highest = &form.add<ui::Label>(page, prefix + "HighestLabel");
        row.average = &form.add<ui::Label>(page, prefix + "AverageLabel");
        row.name->setCaption(kRows[i].name);
        row.name->setBounds({4, top, 86, 13});
        ui::Label* values[] = {row.lowest, row.highest, row.average};
        for (int c = 0; c < 3; ++c) {
            values[c]->setCaption("0");
            values[c]->setBounds({92 + 56 * c, top, 54, 13});
        }
    }
    pollsLabel_.setCaption("Number of Polls: 0");
    pollsLabel_.setBounds({4, 212, 120, 13});
    saveButton_.setCaption("Save");
    saveButton_.setBounds({140, 208, 56, 22});
    resetButton_.setCaption("Reset");
    resetButton_.setBounds({200, 208, 56, 22});
    saveButton_.onClick = [this] {
        if (onSave) onSave();
    };
    resetButton_.onClick = [this] { UDTabResetSpeedButtonClick(); };
}

void UpDownStatistics::average(TChannel channel, int decimals, const NumberFormat& number) {
    const StatisticsRecord& r = record(channel);
    long double mean = r.sum / r.count;
    // A failed average leaves the text as it was.
    if (r.count == 0 || !std::isfinite(static_cast<double>(mean))) return;
    averageLabel(channel).setCaption(fixedText(mean, decimals, number));
}

void UpDownStatistics::updateTemperature(int sensor, float celsius, const TemperatureTextRules& rules) {
    auto channel = static_cast<TChannel>(sensor - 1);
    StatisticsRecord& r = records_[index(channel)];
    double v = celsius;
    if (v <= r.lowest || r.lowest == 0) {
        r.lowest = v;
        lowestLabel(channel).setCaption(temperatureExtremeText(v, rules));
    }
    if (v >= r.highest) {
        r.highest = v;
        highestLabel(channel).setCaption(temperatureExtremeText(v, rules));
    }
    r.sum += temperatureInShownUnit(v, rules);
    ++r.count;
    average(channel, 2, rules.number);
}

void UpDownStatistics::updateRail(TChannel channel, double v, const NumberFormat& number) {
    StatisticsRecord& r = records_[index(channel)];
    bool negative = isNegativeRail(channel);
    if ((negative ? v >= r.lowest : v <= r.lowest) || r.lowest == 0) {
        r.lowest = v;
        lowestLabel(channel).setCaption(fixedText(v, 2, number));
    }
    if (negative ? v <= r.highest : v >= r.highest) {
        r.highest = v;
        highestLabel(channel).setCaption(fixedText(v, 2, number));
    }
    r.sum += v;
    ++r.count;
    average(channel, 2, number);
}

void UpDownStatistics::updateFan(int fan, double rpm, const NumberFormat& number) {
    auto channel = static_cast<TChannel>(static_cast<int>(TChannel::Fan1) + fan - 1);
    StatisticsRecord& r = records_[index(channel)];
    if (rpm <= r.lowest || r.lowest == 0) {
        r.lowest = rpm;
        lowestLabel(channel).setCaption(fixedText(rpm, 0, number));
    }
    if (rpm >= r.highest) {
        r.highest = rpm;
        highestLabel(channel).setCaption(fixedText(rpm, 0, number));
    }
    r.sum += rpm;
    ++r.count;
    average(channel, 2, number);
}

void UpDownStatistics::UDTabResetSpeedButtonClick() {
    records_.fill({});
    for (Row& row : rows_) {
        row.lowest->setCaption("0");
        row.highest->setCaption("0");
        row.average->setCaption("0");
    }
    if (pollNow) pollNow();
}

void UpDownStatistics::switchUnit(const TemperatureTextRules& newRules) {
    for (int sensor = 1; sensor <= kSensorCount; ++sensor) {
        auto channel = static_cast<TChannel>(sensor - 1);
        StatisticsRecord& r = records_[index(channel)];
        lowestLabel(channel).setCaption(temperatureExtremeText(r.lowest, newRules));
        highestLabel(channel).setCaption(temperatureExtremeText(r.highest, newRules));
        r = {};
    }
}

void UpDownStatistics::updatePollCount() {
    pollsLabel_.setCaption("Number of Polls: " + std::to_string(record(TChannel::CoreVoltage).count));
}

}  // namespace kvx::acquisition
