#include "platform/error_report.h"
#include "platform/errors.h"

#include <gtest/gtest.h>

using namespace torvex;

TEST(RunGuarded, ShowsTheErrorsTextAndGoesOn) {
    RecordingMessageSink report;
    int reached = 0;
    RunGuarded(report, [&] {
        reached = 1;
        throw ConversionError("1,2,3");
    });
    RunGuarded(report, [] { SafeDivide(1, 0); });
    RunGuarded(report, [] { throw 42; });
    RunGuarded(report, [&] { reached = 2; });
    EXPECT_EQ(reached, 2);
    EXPECT_EQ(report.Messages,
              (std::vector<std::string>{"'1,2,3' is not a valid floating point value",
                                        "Floating point division by zero", UnknownErrorText}));
}
