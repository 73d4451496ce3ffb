#pragma once
#include <string>
#include <vector>

#include "app/harness/event_log.h"
#include "app/harness/message_log.h"
#include "ui/model/window_set.h"

namespace kvx::app {

// The whole visible state as JSON: the time, every control of every window by
// qualified name with its properties, every message box shown, and the events
// (programs run, waves played, the PC speaker stopped).
std::string stateDump(int64_t timeMs, const ui::WindowSet& windows, const std::vector<MessageLog::Entry>& messages,
                      const std::vector<EventLog::Entry>& events = {});

}  // namespace kvx::app
