#include "sensorlib/sim/sim_board.h"

#include <exception>

#include "sensorlib/sim/demo_board.h"
#include "sensorlib/sim/logo.h"
#include "sensorlib/sim/scenario.h"

namespace kvx::sim {
namespace {

bool given(const char* text) { return text && *text; }

}  // namespace

std::unique_ptr<SimBoard> SimBoard::open(const char* scenarioPath, const char* tracePath) {
    std::unique_ptr<SimBoard> board(new SimBoard);
    try {
        if (given(scenarioPath)) {
            ScenarioResult loaded = loadScenarioFile(scenarioPath);
            if (!loaded.scenario) {
                board->breakWith(loaded.error);
                return board;
            }
            board->source_ = Source::Scenario;
            board->facts_ = loaded.scenario->facts;
            board->timeline_ = Timeline(loaded.scenario->rows);
        } else {
            board->facts_ = demoFacts();
        }
        if (given(tracePath)) {
            std::string error;
            board->trace_ = TraceLog::open(tracePath, error);
            if (!board->trace_) board->breakWith(error);
        }
    } catch (const std::exception& e) {
        board->breakWith(std::string("kvx-sim: ") + e.what());
    }
    return board;
}

void SimBoard::breakWith(std::string reason) {
    source_ = Source::Broken;
    error_ = std::move(reason);
    facts_ = BoardFacts{};
    facts_.chip = Chip::None;
    facts_.smbus = kNoSmbus;
    facts_.clockMhz = 0;
    facts_.memoryTotal = facts_.memoryAvailable = 0;
    facts_.memoryLoad = 0;
    facts_.user.clear();
}

Readings SimBoard::readings() const {
    switch (source_) {
        case Source::Demo: return visibleReadings(facts_, demoReadingsAt(nowMs_));
        case Source::Scenario: return visibleReadings(facts_, timeline_.at(nowMs_));
        case Source::Broken: break;
    }
    return Readings{};
}

std::int32_t SimBoard::lm75(std::uint16_t smbus, std::int32_t readAddress) const {
    return lm75At(facts_, readings(), smbus, readAddress);
}

void SimBoard::trace(std::string_view operation, std::initializer_list<std::int64_t> args) {
    if (trace_) trace_->write(nowMs_, operation, args);
}

void SimBoard::setFanDivisor(std::int32_t fan, std::int32_t divisor) { trace("SetLM78FanDiv", {fan, divisor}); }
void SimBoard::startSpeaker(std::uint16_t pitch) { trace("StartPCSpeaker", {pitch}); }
void SimBoard::stopSpeaker() { trace("StopPCSpeaker", {}); }

const std::vector<std::uint8_t>& SimBoard::logo() {
    if (logo_.empty()) logo_ = drawLogoBmp();
    return logo_;
}

}  // namespace kvx::sim
