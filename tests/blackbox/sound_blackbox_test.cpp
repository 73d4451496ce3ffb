// Alarm sounds in runs of korvex: the PC speaker's rhythm while a warning is
// open, a looping wave chosen with "Select Wave", and real playback in real time.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "../platform/wave_files.h"
#include "blackbox.h"

using namespace kvx::test;

namespace {

std::vector<std::int16_t> someWave() {
    std::vector<std::int16_t> samples(4000);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<std::int16_t>((i % 40) * 300 - 6000);
    return samples;
}

}  // namespace

// Guards against a speaker that does not alternate while the warning is open or
// goes on after it closed, a looping wave that the window does not stop, a
// "Select Wave" that does not set the path, a warning-log size display that
// does not follow the log, and group captions that miss the user's names.
TEST(SoundBlackBox, TheWarningWindowKeepsTheSpeakerAndALoopingWaveGoingUntilItCloses) {
    RunFolder f;
    const std::string folder = f.path;
    const std::string wave = folder + "/siren alarm.wav";
    writeWave(wave, someWave(), 1, 8000);
    std::filesystem::create_directories(folder + "/program");
    // 1000 bytes before the run: "TXT:0Kb" at start, "TXT:1Kb" after one warning.
    writeFile(folder + "/program/kvxwarnlog.txt", std::string(998, 'x') + "\r\n");
    const std::string script = folder + "/script.txt";
    writeFile(script,
              "at 1 click CheckBox41\nat 1 click GenTabLoopWavesCheckBox\n"
              "at 1 answer FileDialog \"" +
                  wave +
                  "\"\n"
                  "at 1 click AlarmTabSensor1SelectWaveButton\n"
                  "at 1 answer WarningForm \"&Disable Alarm\" after 2.2\n"
                  "at 2 set Edit4 \"Board\"\n"
                  "at 2 set Edit1 \"Pump\"\n"
                  "at 5 dump " +
                  folder + "/before.json\n");
    const std::string trace = folder + "/trace.txt";
    ScopedEnv traceFile("KVX_SIM_TRACE", trace);
    auto run = runKorvex(f.headless(
        "20", {"--scenario", dataFile("sound-board.txt"), "--script", script, "--dump", f.file("dump.json")}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err.find("sound"), std::string::npos) << "virtual time plays nothing: " << run.err;

    const QJsonObject before = f.dump("before.json");
    EXPECT_EQ(caption(before, "Form1.Label25"), "siren alarm.wav");
    EXPECT_EQ(caption(before, "Form1.WarningLogTxtSizeLabel"), "TXT:0Kb");
    // The groups carry the names the user gave.
    EXPECT_EQ(caption(before, "Form1.GroupBox5"), "Board Alarm Settings");
    EXPECT_EQ(caption(before, "Form1.GroupBox1"), "Board Maximum Scale");
    EXPECT_EQ(caption(before, "Form1.GroupBox17"), "Pump Alarm Settings");
    const QJsonObject dump = f.dump();
    EXPECT_EQ(caption(dump, "Form1.WarningLogTxtSizeLabel"), "TXT:1Kb");

    // The wave starts looping with the alarm and stops when the window closes.
    const QJsonArray events = dump["events"].toArray();
    ASSERT_GE(events.size(), 1);
    const QJsonObject play = events[0].toObject();
    EXPECT_EQ(play["kind"].toString(), "play");
    EXPECT_EQ(play["path"].toString().toStdString(), wave);
    EXPECT_TRUE(play["loop"].toBool());
    const qint64 alarmMs = play["time_ms"].toInteger();
    std::vector<std::string> after;
    for (int i = 1; i < events.size(); ++i)
        after.push_back(std::to_string(events[i].toObject()["time_ms"].toInteger() - alarmMs) + " " +
                        events[i].toObject()["kind"].toString().toStdString());
    EXPECT_EQ(after, (std::vector<std::string>{"2200 stopSound", "2200 stopWave", "2200 stopSound"}));
    EXPECT_EQ(events[1].toObject().keys(), (QStringList{"kind", "time_ms"})) << "stopSound is its kind alone";

    // Every 500 ms while the window is open the tone switches, off first (the phase
    // starts false); closing silences it, and it stays silent to the end of the run.
    std::vector<std::string> speaker;
    std::istringstream lines(readFile(trace));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        long long ms = 0;
        std::string operation, argument;
        words >> ms >> operation >> argument;
        if (operation.find("PCSpeaker") != std::string::npos)
            speaker.push_back(std::to_string(ms - alarmMs) + " " + operation +
                              (argument.empty() ? "" : " " + argument));
    }
    EXPECT_EQ(speaker,
              (std::vector<std::string>{"500 StopPCSpeaker", "1000 StartPCSpeaker 500", "1500 StopPCSpeaker",
                                        "2000 StartPCSpeaker 500", "2200 StopPCSpeaker", "2200 StopPCSpeaker"}));
}

// Guards against a real-time run that hangs, crashes or prints a line per alarm
// on a machine without a sound device, and proves that the wave reaches ALSA
// where there is one (a device that writes to a file, set up as the user's default).
TEST(SoundBlackBox, RealTimeRunsPlayTheWaveOrSayOnceThatThereIsNoSound) {
    const std::string folder = makeTempFolder();
    const std::string wave = folder + "/alarm.wav";
    const auto samples = someWave();
    writeWave(wave, samples, 1, 8000);
    // A poll every second, each alarm answered "Enable Alarm" after half a second:
    // the wave plays at every alarm.
    std::string lines = "at 0 answer FileDialog \"" + wave +
                        "\"\n"
                        "at 0 answer WarningForm \"&Enable Alarm\" after 0.5\n"
                        "at 0 click AlarmTabSensor1SelectWaveButton\n";
    for (int i = 0; i < 9; ++i) lines += "at 0 down GenTabIntervalSpinButton\n";
    const std::string script = folder + "/script.txt";
    writeFile(script, lines);
    auto runIn = [&](const std::string& home) {
        ScopedEnv homeFolder("HOME", home);
        return runKorvex({"--headless", "--run-for", "3.5", "--config-dir",
                          folder + "/config-" + home.substr(home.size() - 2), "--program-folder", folder + "/program",
                          "--sensor-library", kSim, "--scenario", dataFile("sound-board-now.txt"), "--script", script});
    };

    // The user's ALSA configuration makes the default device a file.
    const std::string withSound = folder + "/h1";
    std::filesystem::create_directories(withSound);
    writeFile(withSound + "/.asoundrc",
              "pcm.!default { type file slave.pcm null file \"" + folder + "/played.raw\" format raw }\n");
    auto heard = runIn(withSound);
    ASSERT_EQ(heard.exitCode, 0) << heard.err;
    EXPECT_EQ(heard.err.find("sound"), std::string::npos) << heard.err;
    EXPECT_EQ(readSamples(folder + "/played.raw"), samples) << "the last alarm's wave, every sample";

    // No card at all: the default device is a card that does not exist.
    const std::string noSound = folder + "/h2";
    std::filesystem::create_directories(noSound);
    writeFile(noSound + "/.asoundrc", "pcm.!default { type hw card KorvexNoSuchCard }\n");
    auto silent = runIn(noSound);
    ASSERT_EQ(silent.exitCode, 0) << silent.err;
    EXPECT_EQ(std::count(silent.err.begin(), silent.err.end(), '\n'), 1) << silent.err;
    EXPECT_NE(silent.err.find("no sound device"), std::string::npos) << silent.err;
}
