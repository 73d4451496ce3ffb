#pragma once
#include <cstdint>
#include <string>

#include "text/number_text.h"

namespace kvx::acquisition {

// How temperatures are written at the moment.
struct TemperatureTextRules {
    bool celsius = true;
    bool roundFahrenheit = true;
    // "°" or empty, between the number and its unit letter.
    std::string degree = "\xC2\xB0";
    NumberFormat number;
};

// °C × 1.8 + 32 in extended precision.
long double fahrenheit(long double celsius);

// A gauge's centre label. Sensors are numbered 1..3: with Round °F on,
// sensors 1 and 3 cut the Fahrenheit value toward zero and sensor 2 rounds it
// to the nearest whole number, halves to even.
std::string temperatureText(int sensor, float current, const TemperatureTextRules& rules);

// The lowest and highest texts of a temperature row: Celsius without decimals
// (half away from zero); Fahrenheit in general format, or cut toward zero with
// Round °F on. No unit letter.
std::string temperatureExtremeText(double celsius, const TemperatureTextRules& rules);

// What a temperature adds to its statistics sum in the unit shown now.
long double temperatureInShownUnit(double celsius, const TemperatureTextRules& rules);

// ": " + volts with 2 decimals.
std::string railText(double volts, const NumberFormat& number);

// The speed shown for a raw fan value: fans 1 and 2 divide by the fan type;
// fan 3 shows the raw value for type 1 and half of it for type 2.
int32_t fanSpeed(int fan, int32_t raw, int fanType);

// The speed as text, or "not available" for a raw 255.
std::string fanText(int fan, int32_t raw, int fanType);

// Half the width of a rail's band in volts: nominal ÷ 100 × percentage off.
double calculatePerc(double nominal, double percentOff);

}  // namespace kvx::acquisition
