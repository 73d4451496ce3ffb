// The PC speaker's tone where the machine has no speaker device: a square wave
// on the sound card, read back from ALSA's file device.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "../platform/wave_files.h"
#include "sensorlib/lmsensors/alsa_tone.h"
#include "sensorlib/lmsensors/pc_speaker.h"

namespace kvx::lmsensors {
namespace {

// Guards against the pitch being played as if it were a frequency (500 -> 500 Hz)
// and against a division by zero for pitch 0.
TEST(SpeakerTone, PitchDividesTheTimerClock) {
    const std::pair<std::uint16_t, unsigned> cases[] = {{500, 2386}, {200, 5965}, {3000, 397}, {1, 1193181}, {0, 0}};
    for (auto [pitch, hz] : cases) EXPECT_EQ(pitchToHz(pitch), hz) << "pitch " << pitch;
}

// Guards against a wave of the wrong pitch, a click where one chunk meets the
// next, and noise for silence.
TEST(SpeakerTone, SquareWaveHasItsPeriodAcrossChunks) {
    struct Case {
        unsigned hz, rate;
        size_t highRun;  // samples per half period
    };
    for (const Case c : {Case{1000, 8000, 4}, Case{3000, 48000, 8}, Case{2400, 48000, 10}}) {
        const auto whole = squareWave(c.hz, c.rate, 0, 40, 100);
        for (size_t i = 0; i < whole.size(); ++i)
            EXPECT_EQ(whole[i], (i / c.highRun) % 2 == 0 ? 100 : -100) << c.hz << " Hz, sample " << i;
        auto joined = squareWave(c.hz, c.rate, 0, 13, 100);
        const auto rest = squareWave(c.hz, c.rate, 13, 27, 100);
        joined.insert(joined.end(), rest.begin(), rest.end());
        EXPECT_EQ(joined, whole) << c.hz << " Hz in two chunks";
    }
    // 2386 Hz does not divide 48000: over a second the wave still makes 2386 periods.
    const auto second = squareWave(2386, 48000, 0, 48000, 1);
    int rises = 0;
    for (size_t i = 1; i < second.size(); ++i) rises += second[i - 1] < 0 && second[i] > 0;
    EXPECT_NEAR(rises, 2386, 1);
    EXPECT_EQ(squareWave(0, 48000, 0, 10, 100), std::vector<std::int16_t>(10, 0));
}

struct ToneFolder {
    std::string path = (std::filesystem::temp_directory_path() / ("kvx-tone-" + std::to_string(getpid()))).string();
    ToneFolder() { std::filesystem::create_directories(path); }
    ~ToneFolder() { std::filesystem::remove_all(path); }
};

// Guards against a silent alarm on machines without a speaker device, and a
// tone that goes on after StopPCSpeaker.
TEST(SpeakerTone, WithoutASpeakerDeviceTheToneGoesToTheSoundCard) {
    ToneFolder folder;
    const std::string out = folder.path + "/tone.raw";
    PcSpeaker speaker(folder.path + "/no-input", test::fileDevice(out));
    EXPECT_FALSE(speaker.start(pitchToHz(20000)));  // no evdev speaker: the card plays it
    ASSERT_NE(speaker.fallbackTone(), nullptr);
    while (test::sampleCount(out) < 48000) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    speaker.stop();
    speaker.fallbackTone()->waitUntilSettled();
    const auto atStop = test::sampleCount(out);
    const auto samples = test::readSamples(out, 48000);
    // 1193181 / 20000 = 59 Hz: runs of 48000 / 59 / 2 = 406 or 407 equal samples.
    size_t run = 1;
    for (size_t i = 1; i < samples.size(); ++i) {
        ASSERT_TRUE(samples[i] == 6000 || samples[i] == -6000) << "sample " << i;
        if (samples[i] == samples[i - 1]) {
            ++run;
            continue;
        }
        EXPECT_TRUE(run == 406 || run == 407 || i == run) << "half period of " << run << " samples at " << i;
        run = 1;
    }
    // Stopped means closed: nothing more is written.
    speaker.fallbackTone()->waitUntilSettled();
    EXPECT_EQ(test::sampleCount(out), atStop);
}

// Guards against a crash, a hang or ALSA's own error lines where there is no sound at all.
TEST(SpeakerTone, NoSoundAtAllIsSilentAndHarmless) {
    ToneFolder folder;
    PcSpeaker speaker(folder.path + "/no-input", "hw:CARD=KorvexNoSuchCard");
    testing::internal::CaptureStderr();
    for (int i = 0; i < 3; ++i) {
        speaker.start(2386);
        speaker.fallbackTone()->waitUntilSettled();
        speaker.stop();
    }
    speaker.fallbackTone()->waitUntilSettled();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(speaker.fallbackTone()->deviceFound());
}

// Guards against: the sensor library linking ALSA, which every run (headless too) then maps
// although only a speaker alarm on a machine without a speaker device uses it.
TEST(SpeakerTone, TheSensorLibraryOpensAlsaOnlyForATone) {
    if (std::system("command -v readelf >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "readelf (binutils) is not installed: cannot read what libkvx.so links";
    const std::string command = std::string("readelf -d ") + KVX_BIN_DIR + "/libkvx.so 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    ASSERT_EQ(pclose(pipe), 0) << out;
    EXPECT_NE(out.find("libsensors"), std::string::npos) << out;
    EXPECT_EQ(out.find("libasound"), std::string::npos) << out;
}

}  // namespace
}  // namespace kvx::lmsensors
