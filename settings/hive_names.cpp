#include "settings/hive_names.h"

namespace kvx::settings::hive_names {
namespace {

char folded(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool same(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (folded(a[i]) != folded(b[i])) return false;
    }
    return true;
}

std::string folded(std::string_view name) {
    std::string result(name);
    for (char& c : result) c = folded(c);
    return result;
}

std::string normalizedPath(std::string_view path) {
    std::string result;
    result.reserve(path.size());
    for (char c : path) {
        if (c == '\\' && (result.empty() || result.back() == '\\')) continue;
        result += c;
    }
    if (!result.empty() && result.back() == '\\') result.pop_back();
    return result;
}

}  // namespace kvx::settings::hive_names
