#pragma once
// Where one key's lines are in hive text. The settings hive model keeps no
// line numbers, so the override reader finds here the lines it reports as
// FILE:LINE: the problems that fall inside its key and the line of a value.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kvx::lmsensors {

class HiveKeyLines {
public:
    // `keyPath` matches as the hive matches key paths (any case, stray
    // backslashes ignored); the key may be written in several sections.
    HiveKeyLines(std::string_view hiveText, std::string_view keyPath);

    // True when line `number` (1-based) lies in one of the key's sections,
    // after its header line.
    bool contains(int number) const;

    // The last line of the key that stores `valueName` (any case; "" is the
    // default value "@"), as the hive keeps the last one; 0 when none does.
    int lineOf(std::string_view valueName) const;

private:
    std::vector<std::pair<int, std::string>> lines_;  // number and trimmed text, in order
};

}  // namespace kvx::lmsensors
