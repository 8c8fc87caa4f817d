#include "cli/commands.h"
#include "geometry/number_text.h"
#include "operations/job_fields.h"
#include "operations/job_file.h"
#include "operations/toolpath_building.h"
#include "platform/errors.h"
#include "platform/text_file.h"
#include "tests/support/job_args.h"
#include "tests/support/linuxcnc_interpreter.h"
#include "tests/support/nc_block_parser.h"
#include "tests/support/program_moves.h"
#include "workspace/workspace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numbers>
#include <sstream>

using namespace torvex;
using torvex::testing::InterpreterRun;
using torvex::testing::InterpreterUnavailable;
using torvex::testing::NcBlock;
using torvex::testing::ParseNcBlock;
using torvex::testing::ProgramMove;
using torvex::testing::RunLinuxCncInterpreter;

namespace {

using torvex::testing::Args;
using torvex::testing::FinishArgs;
using torvex::testing::GrooveArgs;
using torvex::testing::RoughArgs;
using torvex::testing::ThreadArgs;
using torvex::testing::With;

std::string Data(const std::string& name) {
    return std::string(TORVEX_DATA) + "/" + name;
}

std::filesystem::path Temporary(const std::string& name) {
    return std::filesystem::temp_directory_path() / ("torvex_job_test_" + name);
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

// How far the point lies round the arc's circle from the start, in the arc's turning sense
// (0 to 2 pi), seen about the centre the program's arc turns about.
double SweepTo(const ProgramMove& arc, double startZ, double startX, double z, double x) {
    double start = std::atan2(startX - arc.CentreX, startZ - arc.CentreZ);
    double angle = std::atan2(x - arc.CentreX, z - arc.CentreZ);
    double sweep = (arc.Turns > 0 ? 1 : -1) * (angle - start);
    return sweep < 0 ? sweep + 2 * std::numbers::pi : sweep;
}

// Every move of the program ends where the next path point lies, rapid where the path is rapid
// and at the path's feed elsewhere, with the spindle turning; an arc's preview points lie on its
// circle, in order, between its ends the way it turns; and every path point is used. An end lies
// within a thousandth: written with its centre, an arc's end may be rounded either way.
::testing::AssertionResult MovesFollowPath(const std::vector<ProgramMove>& moves,
                                           const std::vector<PathPoint>& path) {
    constexpr double Tolerance = 0.0011;
    auto at = [](const PathPoint& p, double z, double x) {
        return std::fabs(p.X - z) <= Tolerance && std::fabs(p.Y - x) <= Tolerance;
    };
    size_t next = 0;
    double z = 0, x = 0;
    for (const ProgramMove& move : moves) {
        auto fail = [&]() {
            return ::testing::AssertionFailure() << "the move of block " << move.Block << " to Z"
                                                 << move.Z << " X" << move.X << ": ";
        };
        if (move.Type != ProgramMove::Kind::Rapid && !move.SpindleOn)
            return fail() << "cuts with the spindle stopped";
        if (move.Type == ProgramMove::Kind::Arc) {
            double radius = std::hypot(move.Z - move.CentreZ, move.X - move.CentreX);
            double end = SweepTo(move, z, x, move.Z, move.X);
            double before = 0;
            size_t previews = 0;
            for (; next < path.size() && !at(path[next], move.Z, move.X); ++next, ++previews) {
                const PathPoint& p = path[next];
                if (std::fabs(std::hypot(p.X - move.CentreZ, p.Y - move.CentreX) - radius) > 0.01)
                    return fail() << "the preview point " << p.X << ", " << p.Y
                                  << " is off its circle";
                double sweep = SweepTo(move, z, x, p.X, p.Y);
                if (sweep <= before || sweep >= end)
                    return fail() << "the preview point " << p.X << ", " << p.Y
                                  << " is not on the arc between its ends";
                before = sweep;
            }
            if (previews == 0)
                return fail() << "no preview points before the arc's end";
        }
        if (next >= path.size())
            return fail() << "no path point left";
        const PathPoint& p = path[next++];
        if (!at(p, move.Z, move.X))
            return fail() << "the path is at " << p.X << ", " << p.Y;
        if ((move.Type == ProgramMove::Kind::Rapid) != (p.Kind == "rapid"))
            return fail() << (p.Kind == "rapid" ? "the path's move is rapid"
                                                : "the path's move is a feed");
        if (p.Kind != "rapid" && std::fabs(move.Feed - p.Feed) > 0.0005)
            return fail() << "at F" << move.Feed << ", the path at " << p.Feed;
        z = move.Z;
        x = move.X;
    }
    if (next != path.size())
        return ::testing::AssertionFailure() << path.size() - next << " path points left over";
    return ::testing::AssertionSuccess();
}

// Replays the program's moves onto the path as MovesFollowPath does.
::testing::AssertionResult ProgramFollowsPath(const std::vector<std::string>& program,
                                              const std::vector<PathPoint>& path) {
    return MovesFollowPath(torvex::testing::ReadProgramMoves(program, false), path);
}

enum class Command { Rough, Finish, Groove };

int RunCommand(Command command, const Args& args, std::string* output = nullptr,
               std::string* errors = nullptr) {
    std::ostringstream out, err;
    int status = command == Command::Rough    ? RunRough(args, out, err)
                 : command == Command::Finish ? RunFinish(args, out, err)
                                              : RunGroove(args, out, err);
    if (output)
        *output = out.str();
    if (errors)
        *errors = err.str();
    return status;
}

int RunCommand(bool rough, const Args& args, std::string* output = nullptr) {
    return RunCommand(rough ? Command::Rough : Command::Finish, args, output);
}

} // namespace

TEST(JobCommand, ProgramsMatchTheFilesCheckedByHand) {
    auto program = Temporary("golden.nc");
    RunCommand(true,
               With(RoughArgs("collared.mdl", "0,2,4"),
                    {"--coolant", "--dialect", "generic", "--radius", "-o", program.string()}));
    EXPECT_EQ(ReadTextLines(program),
              ReadTextLines(std::string(TORVEX_FIXTURES) + "/collared_rough.nc"));
    RunCommand(false, {Data("Models/chamfered.mdl"), "--ops", "1", "--safe", "25", "--offset", "2",
                       "--speed", "1500", "--approach", "1", "--feed", "120", "--left-tool", "3",
                       "--left-knife", Data("Knives/FinishL.knf"), "-o", program.string()});
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
    expectUsage(true, With(RoughArgs("collared.mdl", "0"), {"--max-feed", "0"}),
                "option --max-feed takes a number above 0, not '0'");
    Args badTool = RoughArgs("collared.mdl", "0");
    badTool[22] = "21";
    expectUsage(true, badTool, "option --left-tool takes a whole number from 1 to 20, not '21'");
    Args job = RoughArgs("collared.mdl", "0");
    expectUsage(true, With(job, {"--dialect", "haas"}),
                "option --dialect takes generic, linuxcnc or fanuc, not 'haas'");
    expectUsage(true, With(job, {"--dialect", "fanuc", "--diameter", "--radius"}),
                "options --diameter and --radius exclude each other");
    // The dialect's refusals are the program's own, as the NC program window gives them.
    expectUsage(true, With(job, {"--dialect", "linuxcnc", "--door"}),
                "A LinuxCNC program cannot open the door: there is no standard code for it.");
    expectUsage(true, With(job, {"--dialect", "fanuc", "--door"}),
                "A Fanuc program opens the door with the machine's own M code: type it as the door "
                "code, for example M21.");
    expectUsage(true, With(job, {"--door-code", "M21"}),
                "option --door-code is for the fanuc dialect");
    expectUsage(true, With(job, {"--dialect", "fanuc", "--door-code", "M2 M30"}),
                "'M2 M30' is not a door code: type the machine's own M code, for example M21.");
    expectUsage(true, With(job, {"--dialect", "linuxcnc", "--program-number", "7"}),
                "option --program-number is for the fanuc dialect");
    expectUsage(true, With(job, {"--dialect", "fanuc", "--program-number", "0"}),
                "option --program-number takes a whole number from 1 to 9999, not '0'");
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
    // A safe distance that overflowed the knife check's integers once is refused by name.
    Args farAway = With(RoughArgs("collared.mdl", "0"), {"--check", "-o", program.string()});
    farAway[4] = "2147483648";
    try {
        RunCommand(true, farAway);
        ADD_FAILURE() << "accepted";
    } catch (const OperationError& error) {
        EXPECT_STREQ(error.what(), "Safe Z must not exceed 10000 mm.");
    }
    EXPECT_THROW(RunCommand(true, With(RoughArgs("collared.mdl", "0"),
                                       {"--left-knife", "/nonexistent/k.knf"})),
                 UsageError); // given twice
    Args missingKnife = RoughArgs("collared.mdl", "0");
    missingKnife[18] = "/nonexistent/k.knf";
    EXPECT_THROW(RunCommand(true, With(missingKnife, {"-o", program.string()})), FileError);
    // A queued operation's tool needs a knife and a number: the refusal names the option.
    auto refusal = [&](bool rough, Args args) -> std::string {
        try {
            RunCommand(rough, With(args, {"-o", program.string()}));
        } catch (const OperationError& error) {
            return error.what();
        }
        return "accepted";
    };
    Args noKnife = FinishArgs("collared.mdl", "1");
    noKnife.erase(noKnife.begin() + 13, noKnife.begin() + 15);
    EXPECT_EQ(refusal(false, noKnife),
              "No knife for the left tool (--left-knife): a queued operation needs it.");
    Args noNumber = RoughArgs("collared.mdl", "0");
    noNumber.erase(noNumber.begin() + 21, noNumber.begin() + 23);
    EXPECT_EQ(refusal(true, noNumber), "No tool number for the left tool (--left-tool): a queued "
                                       "operation needs it; give its library position, 1 to 20.");
    EXPECT_EQ(refusal(true, With(RoughArgs("collared.mdl", "0"), {"--max-spindle-speed", "1000"})),
              "The turning speed 1200 rev/min is above the machine's Max spindle speed of 1000 "
              "rev/min.");
    EXPECT_FALSE(std::filesystem::exists(program));
    std::ostringstream out, err;
    EXPECT_EQ(RunRough(With(RoughArgs("missing.mdl", "0"), {"-o", program.string()}), out, err),
              ExitFailure);
    EXPECT_NE(err.str().find("File handling error!"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(program));
}

TEST(JobCommand, SurfaceSpeedAndItsMaximumStartTheSpindleAtConstantSurfaceSpeed) {
    std::string text;
    Args finish = With(FinishArgs("collared.mdl", "1"), {"--dialect", "linuxcnc"});
    ASSERT_EQ(
        RunCommand(false, With(finish, {"--surface-speed", "150", "--max-speed", "2500"}), &text),
        ExitOk);
    EXPECT_NE(text.find("N0001 G96 D2500 S150 M03"), std::string::npos) << text;
    try {
        RunCommand(false, With(finish, {"--surface-speed", "150"}));
        ADD_FAILURE() << "a surface speed without its maximum was accepted";
    } catch (const OperationError& error) {
        EXPECT_STREQ(error.what(), SurfaceSpeedWithoutMaximumText);
    }
}

TEST(JobCommand, CheckReportsCollisionsAndStrictRefusesThem) {
    auto program = Temporary("strict.nc");
    std::filesystem::remove(program);
    Args collared = With(RoughArgs("collared.mdl", "0,2,4"), {"-o", program.string()});
    std::ostringstream out, err;
    // Rough80's flank reaches into the collar from the left side's layers.
    EXPECT_EQ(RunRough(With(collared, {"--strict"}), out, err), ExitCollision);
    EXPECT_FALSE(std::filesystem::exists(program));
    EXPECT_EQ(err.str().rfind("Checked against the knives: first collision N", 0), 0u);

    std::ostringstream checkedErr;
    EXPECT_EQ(RunRough(With(collared, {"--check"}), out, checkedErr), ExitOk);
    EXPECT_TRUE(std::filesystem::exists(program));
    EXPECT_NE(checkedErr.str().find("\nOperation 2: "), std::string::npos);

    std::filesystem::remove(program);
    Args fitting = collared;
    fitting[18] = Data("Knives/ShoulderL.knf");
    fitting[20] = Data("Knives/ShoulderR.knf");
    std::ostringstream fittingErr;
    EXPECT_EQ(RunRough(With(fitting, {"--strict"}), out, fittingErr), ExitOk);
    EXPECT_TRUE(std::filesystem::exists(program));
    EXPECT_EQ(fittingErr.str(), "");
    std::filesystem::remove(program);
}

namespace {

// The sample jobs the controls must run: every model, roughing 0,2,4 and 1,3, finishing 1,3 and
// 2,4, with the spindle's sense and the coolant varied.
struct SampleJob {
    Command Run;
    Args Arguments;
    std::string Name;
};

std::vector<SampleJob> SampleJobs() {
    using enum Command;
    std::vector<SampleJob> jobs;
    for (const char* model : {"collared.mdl", "chamfered.mdl", "arcs.mdl", "taper.mdl",
                              "production.mdl", "grooved.mdl"}) {
        jobs.push_back({Rough, RoughArgs(model, "0,2,4"), std::string(model) + " rough 0,2,4"});
        jobs.push_back({Rough, With(RoughArgs(model, "1,3"), {"--anticlockwise"}),
                        std::string(model) + " rough 1,3"});
        jobs.push_back({Finish, With(FinishArgs(model, "1,3"), {"--coolant"}),
                        std::string(model) + " finish 1,3"});
        jobs.push_back({Finish, FinishArgs(model, "2,4"), std::string(model) + " finish 2,4"});
        // Noses of 0.4: their paths' arcs about the part's corners and arcs.
        Args nosed = FinishArgs(model, "2,3");
        *(std::find(nosed.begin(), nosed.end(), "--left-knife") + 1) =
            torvex::testing::SampleFile("Knives/FinishL04.knf");
        *(std::find(nosed.begin(), nosed.end(), "--right-knife") + 1) =
            torvex::testing::SampleFile("Knives/FinishR04.knf");
        jobs.push_back({Finish, nosed, std::string(model) + " finish 2,3 with noses"});
    }
    jobs.push_back({Rough, RoughArgs("grooved.mdl", "6,0,2,4"), "grooved.mdl rough 6,0,2,4"});
    jobs.push_back({Groove, GrooveArgs("grooved.mdl", "1"), "grooved.mdl groove 1"});
    jobs.push_back({Groove,
                    With(GrooveArgs("grooved.mdl", "1,2"),
                         {"--part-at", "90", "--final-radius", "0", "--step", "1.5"}),
                    "grooved.mdl groove 1,2"});
    return jobs;
}

} // namespace

TEST(JobCommand, LinuxCncProgramsRunUneditedInLinuxCncsInterpreter) {
    // Never skipped: a machine that cannot fetch the interpreter fails here with the reason.
    ASSERT_FALSE(InterpreterUnavailable()) << *InterpreterUnavailable();
    auto program = Temporary("linuxcnc.ngc");
    auto path = Temporary("linuxcnc.csv");
    for (const SampleJob& job : SampleJobs()) {
        for (bool diameter : {false, true}) {
            Args args = With(job.Arguments, {"--dialect", "linuxcnc", "--tool-change", "none", "-o",
                                             program.string(), "--path-csv", path.string()});
            if (diameter)
                args.push_back("--diameter");
            ASSERT_EQ(RunCommand(job.Run, args), ExitOk) << job.Name;
            InterpreterRun run = RunLinuxCncInterpreter(ReadTextLines(program));
            EXPECT_TRUE(run.Accepted())
                << job.Name << (diameter ? " diameter: " : ": ") << run.Errors;
            EXPECT_TRUE(MovesFollowPath(run.Moves, ReadPathCsv(path)))
                << job.Name << (diameter ? " diameter" : "");
        }
    }
    std::filesystem::remove(program);
    std::filesystem::remove(path);
}

TEST(JobCommand, FanucProgramsReadBackOntoTheirPaths) {
    auto program = Temporary("fanuc.nc");
    auto path = Temporary("fanuc.csv");
    for (const SampleJob& job : SampleJobs()) {
        std::vector<std::string> radiusBlocks;
        for (bool diameter : {false, true}) {
            std::string name = job.Name + (diameter ? " diameter" : " radius");
            Args args = With(job.Arguments, {"--dialect", "fanuc", "--tool-change", "none",
                                             "--door", "--door-code", "M21", "-o", program.string(),
                                             "--path-csv", path.string()});
            if (!diameter)
                args.push_back("--radius"); // diameter is the default
            ASSERT_EQ(RunCommand(job.Run, args), ExitOk) << name;
            std::vector<std::string> lines = ReadTextLines(program);
            ASSERT_GT(lines.size(), 6u) << name;
            EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3),
                      (std::vector<std::string>{"%", "O0001", "G18 G21 G40 G97 G98"}))
                << name;
            EXPECT_EQ(lines.back(), "%") << name;
            std::vector<std::string> blocks(lines.begin() + 3, lines.end() - 1);
            EXPECT_EQ(blocks.end()[-2].substr(5), " M21") << name;
            EXPECT_EQ(blocks.back().substr(5), " M30") << name;
            for (const std::string& text : blocks)
                for (const auto& word : ParseNcBlock(text).Words)
                    if (std::string("XZIKF").find(word.Letter) != std::string::npos) {
                        EXPECT_NE(word.Text.find('.'), std::string::npos) << name << ": " << text;
                    }
            EXPECT_TRUE(MovesFollowPath(torvex::testing::ReadProgramMoves(blocks, diameter),
                                        ReadPathCsv(path)))
                << name;
            if (!diameter) {
                radiusBlocks = blocks;
                continue;
            }
            // The same blocks with every X word doubled (an arc's end may be rounded either way
            // in each).
            ASSERT_EQ(blocks.size(), radiusBlocks.size()) << name;
            for (size_t i = 0; i < blocks.size(); ++i) {
                torvex::testing::NcBlock block = ParseNcBlock(blocks[i]);
                std::optional<double> x = block.Value('X');
                std::optional<double> radius = ParseNcBlock(radiusBlocks[i]).Value('X');
                ASSERT_EQ(x.has_value(), radius.has_value()) << blocks[i];
                if (x) {
                    EXPECT_NEAR(*x, 2 * *radius, block.Value('I') ? 0.0031 : 0.0011) << blocks[i];
                }
            }
        }
    }
    std::filesystem::remove(program);
    std::filesystem::remove(path);
}

TEST(JobCommand, AKnifeDrawnWithFilletsRoughsAndLeavesItsRoundsInTheStock) {
    auto program = Temporary("filleted.nc");
    auto path = Temporary("filleted.csv");
    auto stock = Temporary("filleted_stock.csv");
    std::string knife = std::string(TORVEX_FIXTURES) + "/Groove4R1.knf";
    Args args = RoughArgs("collared.mdl", "0,2,4");
    args[18] = knife;
    args[20] = knife;
    ASSERT_EQ(RunCommand(true, With(args, {"-o", program.string(), "--path-csv", path.string(),
                                           "--stock-csv", stock.string()})),
              ExitOk);
    EXPECT_TRUE(ProgramFollowsPath(ReadTextLines(program), ReadPathCsv(path)));
    // The shoulder at x 31.5 above the cut at radius 10.5 is rounded by the knife's corner of
    // radius 1 about (30.5, 11.5), to within the 10 nm units the material is cut in.
    std::vector<std::string> rows = ReadTextLines(stock);
    size_t onTheRound = 0;
    for (size_t i = 1; i < rows.size(); ++i) {
        size_t comma = rows[i].find(',');
        double x = FileTextToFloat(rows[i].substr(0, comma));
        double y = FileTextToFloat(rows[i].substr(comma + 1));
        if (x > 30.5 && x < 31.5) {
            ++onTheRound;
            EXPECT_NEAR(std::hypot(x - 30.5, y - 11.5), 1, 1e-5) << rows[i];
        }
    }
    EXPECT_GE(onTheRound, 5u);
    std::filesystem::remove(program);
    std::filesystem::remove(path);
    std::filesystem::remove(stock);
}

TEST(JobCommand, GrooveNeedsItsKnifeItsToolAndWhereToPartOff) {
    auto expectUsage = [](const Args& args, const std::string& text) {
        try {
            RunCommand(Command::Groove, args);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const UsageError& error) {
            EXPECT_EQ(error.Text, text);
        }
    };
    expectUsage(GrooveArgs("grooved.mdl", "2,1"),
                "operation 1 cannot be queued after the operations before it");
    expectUsage(GrooveArgs("grooved.mdl", "1,2"), "operation 2 (part off) needs option --part-at");
    expectUsage(With(GrooveArgs("grooved.mdl", "2"), {"--part-at", "90"}),
                "operation 2 (part off) needs option --final-radius");
    expectUsage(With(GrooveArgs("grooved.mdl", "1"), {"--left-knife", "k.knf"}),
                "unknown option --left-knife");
    Args noKnife = GrooveArgs("grooved.mdl", "1");
    noKnife.erase(noKnife.begin() + 15, noKnife.begin() + 17);
    expectUsage(noKnife, "option --knife is required");
    std::string program;
    ASSERT_EQ(RunCommand(Command::Groove, GrooveArgs("grooved.mdl", "1"), &program), ExitOk);
    EXPECT_EQ(program.rfind("N0001 M03  S0800\nN0010 M06 T5\n", 0), 0u) << program;
}

TEST(JobCommand, StockStartsFromTheStockGivenInsteadOfTheCompanion) {
    // A bar that ends with the grooved part: its right end face is no operation on it.
    auto bar = Temporary("faced.mdls");
    WriteTextLinesAtomically(bar,
                             {"line 0/0/0/14.5/", "line 0/14.5/90/14.5/", "line 90/14.5/90/0/"});
    std::string faced, companion;
    ASSERT_EQ(RunCommand(Command::Rough,
                         With(RoughArgs("grooved.mdl", "6"), {"--stock", bar.string()}), &faced),
              ExitOk);
    ASSERT_EQ(RunCommand(Command::Rough, RoughArgs("grooved.mdl", "6"), &companion), ExitOk);
    EXPECT_EQ(faced.find("M06"), std::string::npos) << faced;
    EXPECT_NE(companion.find("N0010 M06 T2"), std::string::npos) << companion;
    std::ostringstream out, err;
    EXPECT_EQ(RunGroove(With(GrooveArgs("grooved.mdl", "1"), {"--stock", "/nonexistent/s.mdls"}),
                        out, err),
              ExitFailure);
    EXPECT_NE(err.str().find("/nonexistent/s.mdls"), std::string::npos) << err.str();
    std::filesystem::remove(bar);
}

TEST(JobCommand, TheGroovedSampleRoughedGroovedAndFinishedLeavesThePartWithinTheRest) {
    ASSERT_FALSE(InterpreterUnavailable()) << *InterpreterUnavailable();
    // Chained through the stocks each step leaves, as a script runs it.
    const Args shoulders = {"--left-knife", Data("Knives/ShoulderL.knf"), "--right-knife",
                            Data("Knives/ShoulderR.knf")};
    Args rough = RoughArgs("grooved.mdl", "6,0,2,4");
    rough.erase(rough.begin() + 17, rough.begin() + 21);
    rough.insert(rough.end(), shoulders.begin(), shoulders.end());
    Args finish = FinishArgs("grooved.mdl", "2,4");
    finish[14] = Data("Knives/FinishL.knf");
    finish[16] = Data("Knives/FinishR.knf");
    const std::vector<std::pair<Command, Args>> steps = {
        {Command::Rough, rough},
        {Command::Groove, GrooveArgs("grooved.mdl", "1")},
        {Command::Finish, finish}};
    auto program = Temporary("chain.ngc");
    std::filesystem::path stock;
    for (size_t k = 0; k < steps.size(); ++k) {
        auto next = Temporary("chain" + std::to_string(k) + ".mdls");
        Args args = With(steps[k].second, {"--dialect", "linuxcnc", "--stock-out", next.string(),
                                           "-o", program.string(), "--check", "--strict"});
        if (!stock.empty())
            args.insert(args.end(), {"--stock", stock.string()});
        std::string errors;
        ASSERT_EQ(RunCommand(steps[k].first, args, nullptr, &errors), ExitOk) << errors;
        InterpreterRun run = RunLinuxCncInterpreter(ReadTextLines(program));
        EXPECT_TRUE(run.Accepted()) << "step " << k << ": " << run.Errors;
        stock = next;
    }
    EXPECT_TRUE(std::filesystem::exists(stock));
    // As one job, checked with the knives' true shape.
    Workspace workspace;
    ASSERT_TRUE(LoadModelFiles(Data("Models/grooved.mdl"), workspace.Shaft, workspace.StockShaft,
                               std::cerr));
    auto tool = [](const char* knife, int number) {
        return JobTool{
            number, {"", knife}, ReadTextLines(Data(std::string("Knives/") + knife + ".knf"))};
    };
    AddToolpath(workspace,
                RoughingJobOf({"2", "2", "0.5", "2", "100", "200", "1200", "", ""},
                              {RoughingOperation::RightEndFace, RoughingOperation::WholeLength,
                               RoughingOperation::LeftBelowTop, RoughingOperation::RightBelowTop},
                              tool("ShoulderL", 1), tool("ShoulderR", 2), '.'),
                "1-Roughing");
    AddToolpath(workspace,
                GroovingJobOf({"2", "0.5", "", "1", "60", "40", "800", "", ""},
                              {GroovingOperation::Grooves}, tool("Groove3", 5), '.'),
                "2-Grooving");
    AddToolpath(workspace,
                FinishingJobOf({"2", "2", "1", "120", "1500", "", ""},
                               {FinishingOperation::LeftWithTop, FinishingOperation::RightWithTop},
                               tool("FinishL", 3), tool("FinishR", 4), '.'),
                "3-Finishing");
    auto job = Temporary("grooved.tjob");
    SaveJobFile(job,
                JobOfWorkspace(workspace, {DefaultDialectOptions(NcDialect::LinuxCnc),
                                           {.ToolChange = DefaultToolChange(NcDialect::LinuxCnc)},
                                           {}}));
    std::ostringstream out, err;
    ASSERT_EQ(RunJobFile({job.string(), "--check", "--strict", "-o", program.string()}, out, err),
              ExitOk)
        << err.str();
    EXPECT_NE(err.str().find("Checked against the knives: no collision\n"), std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("Material left on the part: at most 0.5 mm"), std::string::npos)
        << err.str();
    EXPECT_TRUE(RunLinuxCncInterpreter(ReadTextLines(program)).Accepted());
    for (size_t k = 0; k < steps.size(); ++k)
        std::filesystem::remove(Temporary("chain" + std::to_string(k) + ".mdls"));
    std::filesystem::remove(program);
    std::filesystem::remove(job);
}

TEST(JobCommand, TheThreadedSampleGetsItsThreadInEveryDialectAndXMode) {
    ASSERT_FALSE(InterpreterUnavailable()) << *InterpreterUnavailable();
    // On the part turned to size (the part itself as the stock), checked strictly.
    for (const char* dialect : {"generic", "linuxcnc", "fanuc"})
        for (const char* mode : {"--radius", "--diameter"}) {
            bool diameter = std::string(mode) == "--diameter";
            std::string program, errors;
            std::ostringstream out, err;
            ASSERT_EQ(RunThread(With(ThreadArgs(), {"--stock", Data("Models/threaded.mdl"),
                                                    "--dialect", dialect, mode, "--strict"}),
                                out, err),
                      ExitOk)
                << err.str();
            std::vector<std::string> lines;
            std::istringstream text(out.str());
            for (std::string line; std::getline(text, line);)
                lines.push_back(line);
            std::string root = diameter ? "22.16" : "11.08";
            auto count = [&lines](const std::string& word) {
                return std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
                    return line.find(word) != std::string::npos;
                });
            };
            std::string name = std::string(dialect) + " " + mode;
            if (std::string(dialect) == "generic") {
                EXPECT_EQ(count(" G33 Z42 K1.5"), 11) << name;
                EXPECT_EQ(count(" G00 X" + root + " Z"), 2) << name;
            } else if (std::string(dialect) == "fanuc") {
                EXPECT_EQ(count(" G76 X" + root + " Z42.0 P920 Q300 F1.5"), 1) << name;
            } else {
                InterpreterRun run = RunLinuxCncInterpreter(lines);
                ASSERT_TRUE(run.Accepted()) << name << ": " << run.Errors;
                std::vector<ProgramMove> passes;
                for (const ProgramMove& move : run.Moves)
                    if (move.Lead == 1.5)
                        passes.push_back(move);
                ASSERT_EQ(passes.size(), 11u) << name;
                EXPECT_NEAR(passes.back().X, 11.08, 1e-4) << name;
                EXPECT_NEAR(passes.back().Z, 42, 1e-4) << name;
            }
        }
    auto usage = [](const Args& args) {
        std::ostringstream out, err;
        try {
            RunThread(args, out, err);
        } catch (const UsageError& error) {
            return error.Text;
        }
        return std::string("accepted");
    };
    EXPECT_EQ(usage(With(ThreadArgs(), {"--ops", "1"})), "unknown option --ops");
    Args noPitch = ThreadArgs();
    noPitch.erase(noPitch.begin() + 5, noPitch.begin() + 7);
    EXPECT_EQ(usage(noPitch), "option --pitch is required");
    std::ostringstream out, err;
    EXPECT_THROW(RunThread(With(ThreadArgs(), {"--spring-passes", "1.5"}), out, err),
                 OperationError);
}
