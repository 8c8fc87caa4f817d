#include "cli/commands.h"
#include "geometry/number_text.h"
#include "operations/toolpath_building.h"
#include "platform/errors.h"
#include "platform/text_file.h"
#include "tests/support/nc_block_parser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace torvex;
using torvex::testing::NcBlock;
using torvex::testing::ParseNcBlock;

namespace {

using Args = std::vector<std::string>;

std::string Data(const std::string& name) {
    return std::string(TORVEX_DATA) + "/" + name;
}

std::filesystem::path Temporary(const std::string& name) {
    return std::filesystem::temp_directory_path() / ("torvex_job_test_" + name);
}

Args RoughArgs(const char* model, const char* ops) {
    return {Data(std::string("Models/") + model),
            "--ops",
            ops,
            "--safe",
            "5",
            "--offset",
            "2",
            "--speed",
            "1200",
            "--rest",
            "0.5",
            "--depth",
            "2",
            "--transversal",
            "100",
            "--longitudinal",
            "200",
            "--left-knife",
            Data("Knives/Rough80.knf"),
            "--right-knife",
            Data("Knives/Left45.knf"),
            "--left-tool",
            "1",
            "--right-tool",
            "2"};
}

Args FinishArgs(const char* model, const char* ops) {
    return {Data(std::string("Models/") + model),
            "--ops",
            ops,
            "--safe",
            "3",
            "--offset",
            "2",
            "--speed",
            "1800",
            "--approach",
            "1",
            "--feed",
            "90",
            "--left-knife",
            Data("Knives/Finish35.knf"),
            "--left-tool",
            "3",
            "--right-tool",
            "4"};
}

Args With(Args args, std::initializer_list<std::string> more) {
    args.insert(args.end(), more);
    return args;
}

struct PathPoint {
    double X, Y, Feed;
    std::string Kind, Tool;
};

std::vector<PathPoint> ReadPathCsv(const std::filesystem::path& file) {
    std::vector<std::string> lines = ReadTextLines(file);
    EXPECT_EQ(lines.at(0), "X,Y,Dist,TotalTime,StepTime,Feed,Kind,Tool");
    std::vector<PathPoint> points;
    for (size_t i = 1; i < lines.size(); ++i) {
        std::vector<std::string> cells;
        std::stringstream row(lines[i]);
        for (std::string cell; std::getline(row, cell, ',');)
            cells.push_back(cell);
        EXPECT_EQ(cells.size(), 8u) << lines[i];
        points.push_back({FileTextToFloat(cells[0]), FileTextToFloat(cells[1]),
                          FileTextToFloat(cells[5]), cells[6], cells[7]});
    }
    return points;
}

// Replays the program's moves: each moving block ends where the next path point lies (an arc
// block after its nineteen preview points), at that point's feed, and every path point is used.
::testing::AssertionResult ProgramFollowsPath(const std::vector<std::string>& program,
                                              const std::vector<PathPoint>& path) {
    size_t next = 0;
    double x = 0, z = 0;
    for (const std::string& text : program) {
        NcBlock block = ParseNcBlock(text);
        std::string shape = block.Shape();
        if (shape.find('X') == std::string::npos && shape.find('Z') == std::string::npos)
            continue;
        x = block.Value('X').value_or(x);
        z = block.Value('Z').value_or(z);
        bool arc = shape.find("G02") != std::string::npos || shape.find("G03") != std::string::npos;
        next += arc ? 19 : 0;
        if (next >= path.size())
            return ::testing::AssertionFailure() << "no path point left for " << text;
        const PathPoint& p = path[next++];
        if (std::fabs(p.X - z) > 0.0005 || std::fabs(p.Y - x) > 0.0005)
            return ::testing::AssertionFailure() << text << " ends at Z" << z << " X" << x
                                                 << ", the path at " << p.X << ", " << p.Y;
        bool rapid = shape.find("G00") != std::string::npos;
        if (rapid != (p.Kind == "rapid"))
            return ::testing::AssertionFailure() << text << " is timed at " << p.Feed;
        if (auto feed = block.Value('F'); feed && !rapid && std::fabs(*feed - p.Feed) > 0.0005)
            return ::testing::AssertionFailure() << text << " is timed at " << p.Feed;
    }
    if (next != path.size())
        return ::testing::AssertionFailure() << path.size() - next << " path points left over";
    return ::testing::AssertionSuccess();
}

int RunCommand(bool rough, const Args& args, std::string* output = nullptr) {
    std::ostringstream out, err;
    int status = rough ? RunRough(args, out, err) : RunFinish(args, out, err);
    if (output)
        *output = out.str();
    return status;
}

} // namespace

TEST(JobCommand, ProgramsMatchTheFilesCheckedByHand) {
    auto program = Temporary("golden.nc");
    RunCommand(true,
               With(RoughArgs("collared.mdl", "0,2,4"), {"--coolant", "-o", program.string()}));
    EXPECT_EQ(ReadTextLines(program),
              ReadTextLines(std::string(TORVEX_FIXTURES) + "/collared_rough.nc"));
    RunCommand(false, {Data("Models/chamfered.mdl"), "--ops", "1", "--safe", "25", "--offset", "2",
                       "--speed", "1500", "--approach", "1", "--feed", "120", "--left-tool", "3",
                       "-o", program.string()});
    EXPECT_EQ(ReadTextLines(program),
              ReadTextLines(std::string(TORVEX_FIXTURES) + "/chamfered_finish.nc"));
    std::string text;
    RunCommand(false, With(FinishArgs("arcs.mdl", "2,3"), {"--door", "--anticlockwise"}), &text);
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    EXPECT_EQ(lines, ReadTextLines(std::string(TORVEX_FIXTURES) + "/arcs_finish.nc"));
    // The file is written with CR LF line ends.
    std::ifstream raw(program, std::ios::binary);
    std::string first;
    std::getline(raw, first);
    EXPECT_EQ(first, "N0001 M03  S1500\r");
    std::filesystem::remove(program);
}

TEST(JobCommand, EverySampleProgramReplaysOntoItsPathPoints) {
    auto program = Temporary("replay.nc");
    auto path = Temporary("replay.csv");
    for (const char* model :
         {"collared.mdl", "chamfered.mdl", "arcs.mdl", "taper.mdl", "production.mdl"}) {
        for (const char* ops : {"0,2,4", "1,3", "0,4,2"}) {
            ASSERT_EQ(RunCommand(true, With(RoughArgs(model, ops),
                                            {"-o", program.string(), "--path-csv", path.string()})),
                      ExitOk);
            EXPECT_TRUE(ProgramFollowsPath(ReadTextLines(program), ReadPathCsv(path)))
                << model << " rough " << ops;
        }
        for (const char* ops : {"1,3", "2,4", "4,1"}) {
            ASSERT_EQ(RunCommand(false, With(FinishArgs(model, ops),
                                             {"--coolant", "--door", "-o", program.string(),
                                              "--path-csv", path.string()})),
                      ExitOk);
            EXPECT_TRUE(ProgramFollowsPath(ReadTextLines(program), ReadPathCsv(path)))
                << model << " finish " << ops;
        }
    }
    std::filesystem::remove(program);
    std::filesystem::remove(path);
}

TEST(JobCommand, StockCsvIsTheStockAfterTheToolpath) {
    auto stock = Temporary("stock.csv");
    ASSERT_EQ(
        RunCommand(true, With(RoughArgs("collared.mdl", "0"), {"--stock-csv", stock.string()})),
        ExitOk);
    std::vector<std::string> rows = ReadTextLines(stock);
    // The bar of radius 22 is turned down to the final level 20.5 over the part's length.
    EXPECT_EQ(rows, (std::vector<std::string>{"X,Y", "0,0", "0,20.5", "80,20.5", "80,0"}));
    std::filesystem::remove(stock);
}

TEST(JobCommand, EachMoveIsSimulatedWithItsOwnKnifeAndByItsKindNotItsFeed) {
    // A right-side job with a right knife and no left one: its moves are the right tool's.
    auto stock = Temporary("right_stock.csv");
    auto path = Temporary("right_path.csv");
    Args rightOnly = RoughArgs("collared.mdl", "4");
    rightOnly.erase(rightOnly.begin() + 17, rightOnly.begin() + 19); // no --left-knife
    ASSERT_EQ(RunCommand(true, With(rightOnly,
                                    {"--stock-csv", stock.string(), "--path-csv", path.string()})),
              ExitOk);
    for (const PathPoint& p : ReadPathCsv(path))
        EXPECT_EQ(p.Tool, "right");
    EXPECT_GT(ReadTextLines(stock).size(), 5u); // the right side is cut into the bar
    // A cutting feed of 6000 mm/min, the rapid traverse's, still cuts.
    Args fast = RoughArgs("collared.mdl", "0");
    fast[16] = "6000";
    ASSERT_EQ(
        RunCommand(true, With(fast, {"--stock-csv", stock.string(), "--path-csv", path.string()})),
        ExitOk);
    EXPECT_EQ(ReadTextLines(stock),
              (std::vector<std::string>{"X,Y", "0,0", "0,20.5", "80,20.5", "80,0"}));
    size_t rapids = 0;
    for (const PathPoint& p : ReadPathCsv(path))
        rapids += p.Kind == "rapid";
    EXPECT_GT(rapids, 0u);
    std::filesystem::remove(stock);
    std::filesystem::remove(path);
}

TEST(JobCommand, UsageErrorsNameWhatIsWrong) {
    auto expectUsage = [](bool rough, const Args& args, const std::string& text) {
        try {
            RunCommand(rough, args);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const UsageError& error) {
            EXPECT_EQ(error.Text, text);
        }
    };
    expectUsage(true, With(RoughArgs("collared.mdl", "1,0"), {}),
                "operation 0 cannot be queued after the operations before it");
    expectUsage(false, FinishArgs("collared.mdl", "0"), "operation 0 cannot be queued here");
    expectUsage(false, FinishArgs("collared.mdl", "1,x"),
                "option --ops takes a whole number from 0 to 255, not 'x'");
    expectUsage(true, With(RoughArgs("collared.mdl", "0"), {"--feed", "1"}),
                "unknown option --feed");
    expectUsage(true, With(RoughArgs("collared.mdl", "0"), {"--left-tool"}),
                "option --left-tool needs a value");
    expectUsage(true, {Data("Models/collared.mdl"), "--ops", "0"}, "option --safe is required");
    Args badTool = RoughArgs("collared.mdl", "0");
    badTool[22] = "21";
    expectUsage(true, badTool, "option --left-tool takes a whole number from 0 to 20, not '21'");
}

TEST(JobCommand, ErrorsWriteNothing) {
    auto program = Temporary("nothing.nc");
    std::filesystem::remove(program);
    Args badDepth = With(RoughArgs("collared.mdl", "0"), {"-o", program.string()});
    badDepth[12] = "2,5";
    EXPECT_THROW(RunCommand(true, badDepth), ConversionError);
    Args zeroDepth = badDepth;
    zeroDepth[12] = "0";
    EXPECT_THROW(RunCommand(true, zeroDepth), OperationError);
    EXPECT_THROW(RunCommand(true, With(RoughArgs("collared.mdl", "0"),
                                       {"--left-knife", "/nonexistent/k.knf"})),
                 UsageError); // given twice
    Args missingKnife = RoughArgs("collared.mdl", "0");
    missingKnife[18] = "/nonexistent/k.knf";
    EXPECT_THROW(RunCommand(true, With(missingKnife, {"-o", program.string()})), FileError);
    // Simulating needs a left knife with its tip.
    Args noKnife = FinishArgs("collared.mdl", "1");
    noKnife.erase(noKnife.begin() + 13, noKnife.begin() + 15);
    EXPECT_THROW(RunCommand(false, With(noKnife, {"--stock-csv", program.string()})),
                 std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(program));
    std::ostringstream out, err;
    EXPECT_EQ(RunRough(With(RoughArgs("missing.mdl", "0"), {"-o", program.string()}), out, err),
              ExitFailure);
    EXPECT_NE(err.str().find("File handling error!"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(program));
}
