#include "cli/commands.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace torvex;

namespace {
std::string ModelPath(const char* name) {
    return std::string(TORVEX_DATA) + "/Models/" + name;
}
} // namespace

TEST(InfoCommand, CollaredShaftMeasuresAndOutlines) {
    std::ostringstream out, err;
    EXPECT_EQ(RunInfo({ModelPath("collared.mdl")}, out, err), ExitOk);
    EXPECT_EQ(out.str(), "Length: 80\n"
                         "MaxRadius: 20\n"
                         "Elements: 7\n"
                         "Points: 8\n"
                         "StockLength: 80\n"
                         "StockMaxRadius: 22\n"
                         "LeftOutline:\n"
                         "line 0/10/30/10/\n"
                         "line 30/10/30/20/\n"
                         "RightOutline:\n"
                         "line 50/12/80/12/\n"
                         "line 50/20/50/12/\n");
    EXPECT_EQ(err.str(), "");
}

TEST(InfoCommand, ChamferedShaftHasNoRightOutline) {
    std::ostringstream out, err;
    EXPECT_EQ(RunInfo({ModelPath("chamfered.mdl")}, out, err), ExitOk);
    EXPECT_NE(out.str().find("LeftOutline:\nline 0/10/50/10/\nline 50/10/50/15/\nRightOutline:\n"),
              std::string::npos)
        << out.str();
    EXPECT_EQ(out.str().substr(out.str().size() - 14), "RightOutline:\n");
}

TEST(InfoCommand, UnreadableFileIsAFailureWithTheLoadersMessage) {
    std::ostringstream out, err;
    EXPECT_EQ(RunInfo({ModelPath("missing.mdl")}, out, err), ExitFailure);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find("File handling error!\n\rCheck whether in corect format."),
              std::string::npos);
}

TEST(InfoCommand, WrongArgumentCountIsAUsageError) {
    std::ostringstream out, err;
    EXPECT_THROW(RunInfo({}, out, err), UsageError);
    EXPECT_THROW(RunInfo({"a", "b"}, out, err), UsageError);
}

TEST(SampleModels, EveryModelLoadsWithItsStockAroundIt) {
    for (const char* name :
         {"collared.mdl", "chamfered.mdl", "arcs.mdl", "taper.mdl", "production.mdl"}) {
        std::ostringstream out, err;
        ASSERT_EQ(RunInfo({ModelPath(name)}, out, err), ExitOk) << name << err.str();
        std::istringstream lines(out.str());
        std::string key;
        double length = 0, radius = 0, stockLength = 0, stockRadius = 0;
        std::string line;
        while (std::getline(lines, line)) {
            std::istringstream fields(line);
            fields >> key;
            if (key == "Length:")
                fields >> length;
            else if (key == "MaxRadius:")
                fields >> radius;
            else if (key == "StockLength:")
                fields >> stockLength;
            else if (key == "StockMaxRadius:")
                fields >> stockRadius;
        }
        EXPECT_GT(length, 0) << name;
        EXPECT_EQ(stockLength, length) << name;
        EXPECT_GT(stockRadius, radius) << name;
        EXPECT_NE(out.str().find("LeftOutline:\nline"), std::string::npos) << name;
    }
}
