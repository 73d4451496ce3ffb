#pragma once
// The PC speaker through the kernel's evdev pcspkr device: a tone is an
// EV_SND/SND_TONE event with the frequency in Hz; 0 silences it. Machines
// without such a device (or without permission to open it) stay silent.
#include <string>

namespace kvx::lmsensors {

class PcSpeaker {
public:
    // Looks for the device under `inputDir` (normally /dev/input) on first use.
    explicit PcSpeaker(std::string inputDir = "/dev/input");
    ~PcSpeaker();
    PcSpeaker(const PcSpeaker&) = delete;
    PcSpeaker& operator=(const PcSpeaker&) = delete;

    // Sounds `hz` until stop(); 0 stops. False when there is no speaker.
    bool start(unsigned hz);
    void stop();

private:
    bool open();
    std::string inputDir_;
    int fd_ = -1;
    bool searched_ = false;
};

}  // namespace kvx::lmsensors
