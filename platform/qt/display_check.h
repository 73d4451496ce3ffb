#pragma once
#include <string>

namespace kvx::platform::qt {

// What decides whether Qt can open windows: the platform plugin asked for
// (QT_QPA_PLATFORM, a ';'-separated list of "name[:options]") and the displays
// the session names (DISPLAY, WAYLAND_DISPLAY). Empty strings for unset.
struct DisplayEnvironment {
    std::string qpaPlatform;
    std::string display;
    std::string waylandDisplay;
};

// Read from the process environment.
DisplayEnvironment displayEnvironment();

// Empty when windows can be opened; otherwise a one-line reason. Qt itself
// aborts the process when its platform plugin finds no display, so the program
// asks first. Refused are only the cases sure to fail: no plugin named and
// neither display set, or only X named and DISPLAY unset. Plugins that need no
// display (offscreen, minimal, eglfs, linuxfb, vnc, ...) are Qt's to judge.
std::string missingDisplayReason(const DisplayEnvironment& environment);

}  // namespace kvx::platform::qt
