#pragma once
#include <string>
#include <vector>

#include "app/harness/message_log.h"
#include "ui/model/window_set.h"

namespace kvx::app {

// The whole visible state as JSON: the time, every control of every window by
// qualified name with its properties, and every message box shown.
std::string stateDump(int64_t timeMs, const ui::WindowSet& windows, const std::vector<MessageLog::Entry>& messages);

}  // namespace kvx::app
