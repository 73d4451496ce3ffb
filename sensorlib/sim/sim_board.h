#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sensorlib/sim/board.h"
#include "sensorlib/sim/timeline.h"
#include "sensorlib/sim/trace_log.h"

namespace kvx::sim {

// The one object behind the library's operations: the board's facts, where
// its readings come from, the program's clock and the trace.
class SimBoard {
public:
    // `scenarioPath` null or empty: the demo board. `tracePath` null or empty:
    // no trace. When either cannot be used the board is broken: it reports
    // the reason through startupError() and answers as a board with no chip,
    // no SMBus and no readings.
    static std::unique_ptr<SimBoard> open(const char* scenarioPath, const char* tracePath);

    // nullptr when ready; else one line naming the input at fault.
    const char* startupError() const { return error_.empty() ? nullptr : error_.c_str(); }

    void setTime(std::int64_t ms) { nowMs_ = ms; }
    const BoardFacts& facts() const { return facts_; }
    // The readings at the clock last set (0 until the program sets it).
    Readings readings() const;
    std::int32_t lm75(std::uint16_t smbus, std::int32_t readAddress) const;

    // The scenario gives fan readings as the library reports them, so a
    // divisor changes no reading; it is only traced.
    void setFanDivisor(std::int32_t fan, std::int32_t divisor);
    void startSpeaker(std::uint16_t pitch);
    void stopSpeaker();

    // What the board is and what it reads now, for `korvex --list-sensors`.
    std::string listing() const;

    // The splash logo; drawn once, owned by the board.
    const std::vector<std::uint8_t>& logo();

private:
    enum class Source { Demo, Scenario, Broken };

    void breakWith(std::string reason);
    void trace(std::string_view operation, std::initializer_list<std::int64_t> args);

    Source source_ = Source::Demo;
    BoardFacts facts_;
    Timeline timeline_;
    std::unique_ptr<TraceLog> trace_;
    std::int64_t nowMs_ = 0;
    std::string error_;
    std::vector<std::uint8_t> logo_;
};

}  // namespace kvx::sim
