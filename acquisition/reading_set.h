#pragma once
#include <cstdint>

namespace kvx::acquisition {

// What start-up learns of the board and keeps for the whole run.
struct BoardFacts {
    // False for the rest of the run when the chip test answered no at start.
    bool chipPresent = true;
    // 0xFFFE means there is no SMBus.
    uint16_t smbusBase = 0xFFFE;
    // Processor clock in MHz.
    int32_t cpuClockMHz = 0;
};

inline constexpr uint16_t kNoSmbus = 0xFFFE;

}  // namespace kvx::acquisition
