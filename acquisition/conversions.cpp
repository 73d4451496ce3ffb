#include "acquisition/conversions.h"

#include "acquisition/channels.h"

namespace kvx::acquisition {

long double fahrenheit(long double celsius) { return celsius * 1.8L + 32.0L; }

std::string temperatureText(int sensor, float current, const TemperatureTextRules& rules) {
    if (rules.celsius) return generalText(static_cast<double>(current), rules.number) + rules.degree + "C";
    long double f = fahrenheit(current);
    std::string number;
    if (!rules.roundFahrenheit) number = generalText(f, rules.number);
    else if (sensor == 2) number = std::to_string(roundHalfEven(f));
    else number = std::to_string(truncateTowardZero(f));
    return number + rules.degree + "F";
}

std::string temperatureExtremeText(double celsius, const TemperatureTextRules& rules) {
    if (rules.celsius) return fixedText(celsius, 0, rules.number);
    long double f = fahrenheit(celsius);
    if (rules.roundFahrenheit) return std::to_string(truncateTowardZero(f));
    return generalText(f, rules.number);
}

long double temperatureInShownUnit(double celsius, const TemperatureTextRules& rules) {
    if (rules.celsius) return celsius;
    long double f = fahrenheit(celsius);
    return rules.roundFahrenheit ? static_cast<long double>(truncateTowardZero(f)) : f;
}

std::string railText(double volts, const NumberFormat& number) { return ": " + fixedText(volts, 2, number); }

int32_t fanSpeed(int fan, int32_t raw, int fanType) {
    if (fanType < 1) fanType = 1;
    if (fan == 3) return fanType == 2 ? raw / 2 : raw;
    return raw / fanType;
}

std::string fanText(int fan, int32_t raw, int fanType) {
    if (raw == kFanNotAvailable) return "not available";
    return std::to_string(fanSpeed(fan, raw, fanType));
}

double calculatePerc(double nominal, double percentOff) { return nominal / 100.0 * percentOff; }

}  // namespace kvx::acquisition
