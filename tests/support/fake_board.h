#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "acquisition/sensor_library.h"
#include "platform/fake/fake_shared_library.h"

namespace kvx::test {

// A board whose readings a test sets directly; served to the program as a
// sensor library through the fake loader. One board per test process at a time.
struct FakeBoard {
    bool chip = true;
    uint16_t smbus = 0x5000;
    int32_t lm78 = 35;
    double wb2 = 40.5;
    double wb3 = 38.25;
    std::map<int32_t, int32_t> lm75;  // read address -> °C
    double volts[7] = {2.05, 2.80, 3.31, 5.02, 12.10, -11.90, -5.01};
    int32_t fans[3] = {4500, 4400, 255};
    std::vector<std::string> calls;  // SetLM78FanDiv and the temperature reads, in order

    // The board every fake operation reads; reset by each test.
    static FakeBoard& current();
    // A loaded library over current().
    static std::unique_ptr<acquisition::SensorLibrary> library();
};

}  // namespace kvx::test
