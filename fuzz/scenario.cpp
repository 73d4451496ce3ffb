// The simulated board's scenario reader on any bytes: a good scenario must
// give a timeline whose readings can be asked at any time; a bad one a
// "FILE:LINE: reason" line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string_view>

#include "sensorlib/sim/scenario.h"
#include "sensorlib/sim/timeline.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const kvx::sim::ScenarioResult result = kvx::sim::parseScenario(text, "board.txt");
    if (!result.scenario) {
        if (result.error.rfind("board.txt:", 0) != 0 || result.error.find('\n') != std::string::npos) std::abort();
        return 0;
    }
    const auto& rows = result.scenario->rows;
    for (std::size_t i = 1; i < rows.size(); ++i)
        if (rows[i].ms < rows[i - 1].ms || rows[i].ms < 0) std::abort();
    const kvx::sim::Timeline timeline(rows);
    for (std::int64_t ms : {std::int64_t{0}, std::int64_t{1}, std::numeric_limits<std::int64_t>::max()})
        (void)timeline.at(ms);
    for (const auto& row : rows) (void)timeline.at(row.ms);
    return 0;
}
