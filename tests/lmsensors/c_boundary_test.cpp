// The guard around every exported operation of the sensor libraries.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "sensorlib/c_boundary.h"

using kvx::c_boundary::answerOrFallback;
using kvx::c_boundary::runOrReport;

// Guards against an exception leaving an extern "C" operation (std::terminate ends the program).
TEST(SensorLibraryBoundary, ExceptionsBecomeTheNoReadingAnswerAndAreReportedOnce) {
    bool reported = false;
    testing::internal::CaptureStderr();
    EXPECT_EQ(answerOrFallback(reported, "lib", "GetLM78Temp", -1, []() -> int { throw std::out_of_range("stoi"); }),
              -1);
    EXPECT_EQ(answerOrFallback(reported, "lib", "GetLM78Temp", -1, []() -> int { throw std::bad_alloc(); }), -1);
    const std::string firstTwo = testing::internal::GetCapturedStderr();
    EXPECT_EQ(firstTwo, "lib: GetLM78Temp failed: stoi; it answers \"no reading\" instead\n") << "once per operation";

    bool otherReported = false;
    testing::internal::CaptureStderr();
    EXPECT_EQ(answerOrFallback(otherReported, "lib", "GetWinBondSensor2", -1.0, []() -> double { throw 42; }), -1.0);
    runOrReport(otherReported, "lib", "GetWinBondSensor2", [] { throw 1; });
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "lib: GetWinBondSensor2 failed: unknown exception; it answers \"no reading\" instead\n");

    bool quiet = false;
    EXPECT_EQ(answerOrFallback(quiet, "lib", "GetChipID", 0, [] { return 0x10; }), 0x10);
    EXPECT_FALSE(quiet) << "a good answer passes through untouched";
}
