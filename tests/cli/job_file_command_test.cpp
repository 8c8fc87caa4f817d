#include "cli/commands.h"
#include "operations/job_file.h"
#include "platform/text_file.h"
#include "tests/support/linuxcnc_interpreter.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace torvex;
using torvex::testing::RunLinuxCncInterpreter;

namespace {

const std::string SampleJob = std::string(TORVEX_DATA) + "/Jobs/production.tjob";

// The command's standard output and error, and its exit status.
struct Outcome {
    int Status;
    std::vector<std::string> Out;
    std::string Err;
};

Outcome RunJob(std::vector<std::string> arguments) {
    std::ostringstream out, err;
    int status = RunJobFile(arguments, out, err);
    std::vector<std::string> lines;
    std::istringstream text(out.str());
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return {status, lines, err.str()};
}

// Whether every tool change ("T1 M6") comes straight after the move out to the tool change
// position: radially, then axially.
::testing::AssertionResult ToolChangesFollow(const std::vector<std::string>& program,
                                             const std::vector<std::string>& retract) {
    size_t changes = 0;
    for (size_t k = 0; k < program.size(); ++k) {
        if (program[k].find(" M6 ") == std::string::npos)
            continue;
        ++changes;
        for (size_t r = 0; r < retract.size(); ++r) {
            const std::string& line = program.at(k - retract.size() + r);
            if (line.find(retract[r]) == std::string::npos)
                return ::testing::AssertionFailure() << "'" << program[k] << "' follows '" << line
                                                     << "', not '" << retract[r] << "'";
        }
    }
    if (changes == 0)
        return ::testing::AssertionFailure() << "no tool change";
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(JobFileCommand, TheWholeJobRunsInLinuxCncsInterpreterWithSafeToolChanges) {
    ASSERT_FALSE(torvex::testing::InterpreterUnavailable());
    // The sample job is written for LinuxCNC with the machine's tool change position.
    Outcome machine = RunJob({SampleJob});
    ASSERT_EQ(machine.Status, ExitOk) << machine.Err;
    EXPECT_TRUE(ToolChangesFollow(machine.Out, {"G91 G30 X0", "G30 Z0", "G90"}));
    EXPECT_TRUE(RunLinuxCncInterpreter(machine.Out).Accepted());
    Outcome position = RunJob({SampleJob, "--tool-change", "40,150", "--diameter"});
    ASSERT_EQ(position.Status, ExitOk) << position.Err;
    EXPECT_TRUE(ToolChangesFollow(position.Out, {"G00 X80", "G00 Z150"}));
    torvex::testing::InterpreterRun run = RunLinuxCncInterpreter(position.Out);
    EXPECT_TRUE(run.Accepted()) << run.Errors;
    // Four tools, four tool changes, every block number once and rising.
    int last = 0;
    size_t changes = 0;
    for (const std::string& line : position.Out) {
        if (line.empty() || line[0] != 'N')
            continue;
        int number = std::stoi(line.substr(1, 4));
        EXPECT_GT(number, last) << line;
        last = number;
        changes += line.find(" M6 ") != std::string::npos;
    }
    EXPECT_EQ(changes, 4u);
}

TEST(JobFileCommand, AChuckedJobStaysClearOfTheJawsAndRunsInLinuxCncsInterpreter) {
    ASSERT_FALSE(torvex::testing::InterpreterUnavailable());
    // Chucked at the stock's left end, 3 mm clear, with zero on the free end face at x 180.
    Outcome chucked = RunJob({std::string(TORVEX_DATA) + "/Jobs/production-chucked.tjob"});
    ASSERT_EQ(chucked.Status, ExitOk) << chucked.Err;
    torvex::testing::InterpreterRun run = RunLinuxCncInterpreter(chucked.Out);
    EXPECT_TRUE(run.Accepted()) << run.Errors;
    double lowest = 0, highest = -1000;
    for (const std::string& line : chucked.Out)
        if (size_t z = line.find(" Z"); z != std::string::npos && line.find("G30") == line.npos) {
            lowest = std::min(lowest, std::stod(line.substr(z + 2)));
            highest = std::max(highest, std::stod(line.substr(z + 2)));
        }
    EXPECT_GE(lowest, 3 - 180);
    EXPECT_LE(lowest, -100) << "the part lies in negative Z";
    EXPECT_EQ(highest, 2) << "nothing beyond the free end but the passes' run-out";
    // The sample job's left flank cannot be reached in a chuck.
    EXPECT_THROW(RunJob({SampleJob, "--chuck-at", "0", "--zero", "free-end"}), std::runtime_error);
}

TEST(JobFileCommand, OneToolpathIsCheckedOnWhatTheToolpathsBeforeItLeave) {
    TempFolder folder("job-command");
    std::filesystem::path stock = folder.Path / "finished.mdls";
    Outcome finishing = RunJob({SampleJob, "--toolpath", "2-Finishing", "--check", "--strict",
                                "--stock-out", stock.string()});
    ASSERT_EQ(finishing.Status, ExitOk) << finishing.Err;
    EXPECT_NE(finishing.Err.find("no collision"), std::string::npos) << finishing.Err;
    EXPECT_EQ(std::count_if(
                  finishing.Out.begin(), finishing.Out.end(),
                  [](const std::string& line) { return line.find(" M6 ") != std::string::npos; }),
              2);
    // The stock it leaves is the whole job's.
    std::filesystem::path whole = folder.Path / "whole.mdls";
    ASSERT_EQ(RunJob({SampleJob, "--stock-out", whole.string()}).Status, ExitOk);
    EXPECT_EQ(ReadTextLines(stock), ReadTextLines(whole));
    EXPECT_THROW(RunJob({SampleJob, "--toolpath", "3-Missing"}), UsageError);
}

TEST(JobFileCommand, ARefusedFileOrToolChangeWritesNothing) {
    TempFolder folder("job-refused");
    std::filesystem::path program = folder.Path / "job.nc";
    std::filesystem::path bad = folder.Path / "bad.tjob";
    WriteTextLinesAtomically(bad, {"{\"format\": \"torvex-job\", \"version\": 1}"});
    EXPECT_THROW(RunJob({bad.string(), "-o", program.string()}), JobFileError);
    EXPECT_THROW(RunJob({SampleJob, "--tool-change", "20,150", "-o", program.string()}),
                 std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(program));
}
