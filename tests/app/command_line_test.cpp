#include <gtest/gtest.h>

#include "app/command_line.h"

using kvx::app::parseCommandLine;

TEST(CommandLine, EveryOptionIsUnderstoodTogether) {
    auto parsed = parseCommandLine({"--headless", "--virtual-time", "--run-for", "3600", "--script", "s.txt",
                                    "--dump=d.json", "--program-folder", "/p", "--config-dir", "/c", "--sensor-library",
                                    "lib.so", "--scenario", "board.txt", "--list-sensors"});
    ASSERT_EQ(parsed.error, "");
    const auto& o = parsed.options;
    EXPECT_TRUE(o.headless && o.virtualTime);
    EXPECT_EQ(*o.runForSeconds, 3600);
    EXPECT_EQ(o.scriptFile, "s.txt");
    EXPECT_EQ(o.dumpFile, "d.json");
    EXPECT_EQ(o.programFolder, "/p");
    EXPECT_EQ(o.configDir, "/c");
    EXPECT_EQ(o.sensorLibrary, "lib.so");
    EXPECT_EQ(o.scenarioFile, "board.txt");
    EXPECT_TRUE(o.listSensors);
}

TEST(CommandLine, BadInputIsNamedInOneLine) {
    struct Case {
        std::vector<std::string> args;
        const char* error;
    };
    const Case cases[] = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"stray"}, "unexpected argument 'stray'"},
        {{"--script"}, "option --script needs a value"},
        {{"--dump="}, "option --dump needs a non-empty value"},
        {{"--run-for", "0"}, "option --run-for needs a positive number of seconds, not '0'"},
        {{"--run-for", "ten"}, "option --run-for needs a positive number of seconds, not 'ten'"},
        {{"--headless=yes"}, "option --headless takes no value"},
        {{"--list-sensors=all"}, "option --list-sensors takes no value"},
        {{"--virtual-time"}, "option --virtual-time works only with --headless"},
    };
    for (const auto& c : cases) EXPECT_EQ(parseCommandLine(c.args).error, c.error) << c.args[0];
}
