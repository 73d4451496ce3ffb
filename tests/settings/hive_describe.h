#pragma once
#include "settings/hive.h"

#include <string>

namespace kvx::settings::test {

// One line per value, "path|name|payload", payload "s:text", "d:0000000a",
// "b:01 02" or "t3f:01 02" (Other of type 0x3f); keys without values as "path|".
std::string describe(const Hive& hive);

}  // namespace kvx::settings::test
