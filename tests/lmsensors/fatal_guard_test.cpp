// A libsensors fatal error must not end the host program.
#include <gtest/gtest.h>

#include <sensors/error.h>

#include <cstdlib>

#include "sensorlib/lmsensors/fatal_guard.h"
#include "sensorlib/lmsensors/libsensors_session.h"

using namespace kvx::lmsensors;

TEST(LmsensorsFatalError, HandlerReturnsToTheGuardAndLibsensorsStaysOff) {
    // Runs in a child process: the broken state is process-wide.
    EXPECT_EXIT(
        {
            installFatalErrorHandler();
            int after = 0;
            const bool completed = guarded([&] {
                sensors_fatal_error("sensors_add_array_el", "Allocating new elements");
                after = 1;  // never reached: the handler does not return into libsensors
            });
            std::string error;
            bool configurationFault = true;
            const auto session = LibsensorsSession::open(error, configurationFault);
            const bool sound = !completed && after == 0 && libsensorsBroken() && !session && !configurationFault &&
                               error.find("Allocating new elements") != std::string::npos;
            std::exit(sound ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "fatal error in sensors_add_array_el.*switched off");
}
