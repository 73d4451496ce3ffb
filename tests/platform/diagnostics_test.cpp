// The program's diagnostics sink keeps the text of the stream it replaced.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "platform/diagnostics.h"

using kvx::platform::CollectedDiagnostics;

// Guards against numbers, characters and missing texts printing differently from what
// users and tests read ("script line 7", "i2c-3"), or a null text crashing the program.
TEST(Diagnostics, PiecesPrintAsAStreamWouldPrintThem) {
    const char* nothing = nullptr;
    auto printed = [](const auto&... pieces) {
        CollectedDiagnostics diagnostics;
        (diagnostics << ... << pieces);
        return diagnostics.str();
    };
    struct Row {
        std::string printed, expected;
    } rows[] = {
        {printed("korvex: script line ", 7, ": x\n"), "korvex: script line 7: x\n"},
        {printed(std::string("a"), '-', std::string_view("b")), "a-b"},
        {printed(-42, ' ', std::size_t{0}, ' ', std::uint16_t{65535}), "-42 0 65535"},
        {printed(std::numeric_limits<unsigned long long>::max()), "18446744073709551615"},
        {printed(nothing), "(null)"},
    };
    for (const Row& row : rows) EXPECT_EQ(row.printed, row.expected);
}
