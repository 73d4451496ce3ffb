#pragma once
#include <functional>
#include <string>

namespace kvx::test {

// What `runAsNobody` answers when it could not drop root's privileges.
inline constexpr const char* kCouldNotDropPrivileges = "could not drop privileges";

// Runs `work` in a child process as user "nobody" when the tests run as root
// (root may write into read-only folders), and returns the text `work` gave:
// typically a failure message, "" for success.
std::string runAsNobody(const std::function<std::string()>& work);

}  // namespace kvx::test
