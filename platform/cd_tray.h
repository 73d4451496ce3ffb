#pragma once

namespace kvx::platform {

// The tray of the machine's CD drive.
class CdTray {
public:
    virtual ~CdTray() = default;
    // Opens the tray of the first CD drive and returns once the drive has
    // taken the command. False when there is no drive, it cannot be opened
    // (no permission, no disc tray) or it refused; the caller stays silent.
    virtual bool open() = 0;
};

}  // namespace kvx::platform
