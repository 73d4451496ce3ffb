// The settings hive reader on any bytes: it must report problems, never crash,
// and every problem must name a line that exists.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/hive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const kvx::settings::HiveParseResult parsed = kvx::settings::Hive::parse(text, "user.reg");
    if (parsed.fatal() && parsed.problems.empty()) std::abort();  // no hive must say why
    for (const kvx::settings::HiveProblem& problem : parsed.problems)
        if (problem.line < 1 || problem.reason.empty()) std::abort();
    return 0;
}
