#include "sensorlib/lmsensors/pc_speaker.h"

#include <fcntl.h>
#include <linux/input.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace kvx::lmsensors {
namespace {

bool canPlayTones(int fd) {
    unsigned long soundBits = 0;
    if (ioctl(fd, EVIOCGBIT(EV_SND, sizeof soundBits), &soundBits) < 0) return false;
    return soundBits & (1UL << SND_TONE);
}

}  // namespace

unsigned pitchToHz(std::uint16_t pitch) { return pitch == 0 ? 0 : 1193181u / pitch; }

PcSpeaker::PcSpeaker(std::string inputDir, std::string toneDevice)
    : inputDir_(std::move(inputDir)), toneDevice_(std::move(toneDevice)) {}

PcSpeaker::~PcSpeaker() {
    if (fd_ >= 0) {
        stop();
        close(fd_);
    }
}

bool PcSpeaker::open() {
    if (searched_) return fd_ >= 0;
    searched_ = true;
    std::vector<std::filesystem::path> candidates;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(inputDir_, ec))
        if (entry.path().filename().string().rfind("event", 0) == 0) candidates.push_back(entry.path());
    std::sort(candidates.begin(), candidates.end());
    for (const auto& path : candidates) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) continue;
        if (canPlayTones(fd)) {
            fd_ = fd;
            return true;
        }
        close(fd);
    }
    return false;
}

bool PcSpeaker::start(unsigned hz) {
    if (!open()) {
        if (!tone_ && hz != 0) tone_ = std::make_unique<AlsaTone>(toneDevice_);
        if (tone_) tone_->start(hz);
        return false;
    }
    input_event event{};
    event.type = EV_SND;
    event.code = SND_TONE;
    event.value = static_cast<int>(hz);
    return write(fd_, &event, sizeof event) == static_cast<ssize_t>(sizeof event);
}

void PcSpeaker::stop() {
    if (fd_ >= 0 || tone_) start(0);
}

}  // namespace kvx::lmsensors
