#include <gtest/gtest.h>

#include "app/command_line.h"

using kvx::app::parseCommandLine;

// Every option is used by the black-box runs; only the "--name=value" form is not.
TEST(CommandLine, AValueMayFollowAnEqualsSign) {
    auto parsed = parseCommandLine({"--headless", "--dump=d.json"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.dumpFile, "d.json");
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
