#include "acquisition/channels.h"

namespace kvx::acquisition {

const std::array<std::string, kSourceCount>& sourceCaptions() {
    static const std::array<std::string, kSourceCount> captions = {
        "None",     "WinBond 1", "WinBond 2", "WinBond 3", "LM78",     "LM79",     "LM75 - 1",
        "LM75 - 2", "LM75 - 3",  "LM75 - 4",  "LM75 - 5",  "LM75 - 6", "LM75 - 7", "LM75 - 8",
    };
    return captions;
}

}  // namespace kvx::acquisition
