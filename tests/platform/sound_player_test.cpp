// Alarm waves through libsndfile and ALSA, played into ALSA's file device so
// that what reaches the "sound card" can be read back sample for sample.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>

#include "platform/diagnostics.h"
#include "platform/linux/alsa_sound_player.h"
#include "wave_files.h"

namespace kvx::platform::linux_backend {
namespace {

using test::fileDevice;
using test::readSamples;
using test::writeWave;

struct SoundFolder {
    std::string path = (std::filesystem::temp_directory_path() /
                        ("kvx-sound-" + std::to_string(getpid()) + "-" +
                         ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                           .string();
    SoundFolder() { std::filesystem::create_directories(path); }
    ~SoundFolder() { std::filesystem::remove_all(path); }
    std::string file(const std::string& name) const { return path + "/" + name; }
};

std::vector<std::int16_t> ramp(size_t frames, int channels, std::int16_t start) {
    std::vector<std::int16_t> samples(frames * static_cast<size_t>(channels));
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<std::int16_t>(start + static_cast<int>(i));
    return samples;
}

// Waits (without a time limit of its own: ctest's timeout ends a hang) until `done`.
template <typename Done>
void waitFor(Done done) {
    while (!done()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

// Guards against a wave that is cut short, resampled wrongly or mixed up between channels.
TEST(AlsaSoundPlayer, PlaysEveryFrameOfMonoAndStereoWaves) {
    struct Case {
        int channels;
        int rate;
        size_t frames;
    };
    for (const Case c : {Case{1, 8000, 3000}, Case{2, 44100, 5000}, Case{1, 22050, 1}}) {
        SoundFolder folder;
        const auto samples = ramp(c.frames, c.channels, -1200);
        writeWave(folder.file("alarm.wav"), samples, c.channels, c.rate);
        kvx::platform::CollectedDiagnostics diagnostics;
        AlsaSoundPlayer player(diagnostics, fileDevice(folder.file("out.raw")));
        player.play(folder.file("alarm.wav"), false);
        player.waitUntilIdle();
        EXPECT_EQ(readSamples(folder.file("out.raw")), samples) << c.channels << " channels at " << c.rate;
        EXPECT_EQ(diagnostics.str(), "");
    }
}

// Guards against a looping wave that stops by itself, or that stop() cannot end.
TEST(AlsaSoundPlayer, ALoopingWaveRepeatsUntilStopped) {
    SoundFolder folder;
    const auto samples = ramp(700, 1, 100);
    writeWave(folder.file("loop.wav"), samples, 1, 8000);
    kvx::platform::CollectedDiagnostics diagnostics;
    AlsaSoundPlayer player(diagnostics, fileDevice(folder.file("out.raw")));
    player.play(folder.file("loop.wav"), true);
    waitFor([&] { return test::sampleCount(folder.file("out.raw")) >= 3 * samples.size(); });
    player.stop();
    player.waitUntilIdle();
    const auto played = readSamples(folder.file("out.raw"), 50 * samples.size());
    ASSERT_GE(played.size(), 3 * samples.size());
    for (size_t i = 0; i < played.size(); ++i)
        ASSERT_EQ(played[i], samples[i % samples.size()]) << "sample " << i << " of the repeated wave";
    const size_t atStop = played.size();
    // The next request still plays: the worker is not stuck in the old loop.
    player.play(folder.file("loop.wav"), false);
    player.waitUntilIdle();
    EXPECT_EQ(readSamples(folder.file("out.raw")), samples) << "after " << atStop << " looped samples";
}

// Guards against a hang, a crash or a message for files that are no sound, and
// an endless loop over a wave without a single frame.
TEST(AlsaSoundPlayer, FilesThatAreNoSoundAreSilent) {
    SoundFolder folder;
    std::ofstream(folder.file("notes.wav")) << "this is text, not a wave\n";
    writeWave(folder.file("empty.wav"), {}, 1, 8000);
    kvx::platform::CollectedDiagnostics diagnostics;
    AlsaSoundPlayer player(diagnostics, fileDevice(folder.file("out.raw")));
    for (const std::string& path :
         {folder.file("missing.wav"), folder.file("notes.wav"), folder.path, folder.file("empty.wav")}) {
        player.play(path, true);
        player.waitUntilIdle();
        EXPECT_TRUE(readSamples(folder.file("out.raw")).empty()) << path;
    }
    EXPECT_EQ(diagnostics.str(), "");
}

}  // namespace
}  // namespace kvx::platform::linux_backend
