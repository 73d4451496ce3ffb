#pragma once
#include <string>
#include <string_view>

// Name rules shared by the hive model, reader and writer.
namespace kvx::settings::hive_names {

// Key and value names are the same when they differ only in ASCII letter case.
bool same(std::string_view a, std::string_view b);

// `name` with ASCII letters in lower case: equal for names that are the same.
std::string folded(std::string_view name);

// A key path without leading, trailing or doubled backslashes.
std::string normalizedPath(std::string_view path);

}  // namespace kvx::settings::hive_names
