#pragma once
// The PC speaker through the kernel's evdev pcspkr device: a tone is an
// EV_SND/SND_TONE event with the frequency in Hz; 0 silences it. Machines
// without such a device (or without permission to open it) play the tone as a
// square wave on the sound card instead; without either they stay silent.
#include <cstdint>
#include <memory>
#include <string>

#include "sensorlib/lmsensors/alsa_tone.h"

namespace kvx::lmsensors {

// The tone of a pitch: the pitch divides the 1193181 Hz clock of the PC's
// interval timer (500 gives 2386 Hz). 0 is silence, not a division by zero.
unsigned pitchToHz(std::uint16_t pitch);

class PcSpeaker {
public:
    // Looks for the device under `inputDir` (normally /dev/input) on first use;
    // without one the tone goes to the ALSA device `toneDevice`.
    explicit PcSpeaker(std::string inputDir = "/dev/input", std::string toneDevice = "default");
    ~PcSpeaker();
    PcSpeaker(const PcSpeaker&) = delete;
    PcSpeaker& operator=(const PcSpeaker&) = delete;

    // Sounds `hz` until stop(); 0 stops. True when the speaker device took
    // it; false when the tone went to the sound card (or nowhere).
    bool start(unsigned hz);
    void stop();
    // The sound-card tone, once a start found no speaker device; else null.
    AlsaTone* fallbackTone() { return tone_.get(); }

private:
    bool open();
    std::string inputDir_;
    std::string toneDevice_;
    std::unique_ptr<AlsaTone> tone_;  // made on the first tone without a speaker device
    int fd_ = -1;
    bool searched_ = false;
};

}  // namespace kvx::lmsensors
