#include "tests/support/linuxcnc_interpreter.h"

#include "geometry/number_text.h"

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace torvex::testing {

namespace {

namespace fs = std::filesystem;

const fs::path InterpreterDir = TORVEX_RS274_DIR;

std::string Trimmed(std::string_view text) {
    size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return {};
    size_t end = text.find_last_not_of(' ');
    return std::string(text.substr(start, end - start + 1));
}

// "a, b, c" into its arguments; a quoted argument (a comment's text) stays whole.
std::vector<std::string> SplitArguments(std::string_view text) {
    std::vector<std::string> arguments;
    if (Trimmed(text).empty())
        return arguments;
    if (Trimmed(text).starts_with('"'))
        return {Trimmed(text)};
    size_t start = 0;
    while (true) {
        size_t comma = text.find(',', start);
        arguments.push_back(Trimmed(text.substr(start, comma - start)));
        if (comma == std::string_view::npos)
            return arguments;
        start = comma + 1;
    }
}

double Number(const CanonicalCall& call, size_t index) {
    if (index >= call.Arguments.size())
        throw std::invalid_argument(call.Name + " has no argument " + std::to_string(index + 1));
    return TextToFloat(call.Arguments[index], '.');
}

std::string ReadAll(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

void WriteAll(const fs::path& file, const std::string& text) {
    std::ofstream stream(file, std::ios::binary);
    stream << text;
    if (!stream)
        throw std::runtime_error("cannot write " + file.string());
}

// A lathe configuration with no start-up codes: the interpreter begins in its own defaults (the XY
// plane among them), so a program that does not set its modes shows it.
const char* const LatheIni = R"([RS274NGC]
PARAMETER_FILE = lathe.var
[EMCIO]
TOOL_TABLE = lathe.tbl
[TRAJ]
COORDINATES = X Z
LINEAR_UNITS = mm
ANGULAR_UNITS = degree
)";

// Front-tool lathe tools with their tip orientation and no offsets.
std::string LatheToolTable() {
    std::string table;
    for (int tool = 1; tool <= 20; ++tool)
        table += "T" + std::to_string(tool) + " P" + std::to_string(tool) + " D0.4 Q3 ;\n";
    return table;
}

} // namespace

bool InterpreterRun::Accepted() const {
    if (ExitStatus != 0 || !Errors.empty())
        return false;
    for (const CanonicalCall& call : Calls)
        if (call.Name == "PROGRAM_END")
            return true;
    return false;
}

std::vector<CanonicalCall> ParseCanonicalOutput(std::string_view text) {
    std::vector<CanonicalCall> calls;
    std::istringstream lines{std::string(text)};
    for (std::string line; std::getline(lines, line);) {
        if (Trimmed(line).empty())
            continue;
        auto fail = [&](const char* fault) {
            throw std::invalid_argument("canonical line '" + line + "': " + fault);
        };
        // "%5d N%-5s  NAME(ARGUMENTS)"
        size_t numberEnd = line.find_first_not_of(' ');
        numberEnd = line.find(' ', numberEnd);
        if (numberEnd == std::string::npos || line.compare(numberEnd, 2, " N") != 0)
            fail("no line and block number");
        size_t blockEnd = line.find(' ', numberEnd + 2);
        if (blockEnd == std::string::npos)
            fail("no call");
        size_t open = line.find('(', blockEnd);
        if (open == std::string::npos || line.back() != ')')
            fail("no argument list");
        CanonicalCall call;
        call.Block = line.substr(numberEnd + 2, blockEnd - numberEnd - 2);
        call.Name = Trimmed(std::string_view(line).substr(blockEnd, open - blockEnd));
        if (call.Name.empty())
            fail("no call name");
        call.Arguments =
            SplitArguments(std::string_view(line).substr(open + 1, line.size() - open - 2));
        calls.push_back(std::move(call));
    }
    return calls;
}

std::vector<ProgramMove> CanonicalMoves(const std::vector<CanonicalCall>& calls) {
    std::vector<ProgramMove> moves;
    double feed = 0;
    double lead = 0;
    bool spindle = false;
    std::string plane = "CANON_PLANE_XY";
    for (const CanonicalCall& call : calls) {
        ProgramMove move;
        move.Block = call.Block;
        if (call.Name == "SET_FEED_RATE") {
            feed = Number(call, 0);
            continue;
        }
        if (call.Name.starts_with("START_SPINDLE_") || call.Name == "STOP_SPINDLE_TURNING") {
            spindle = call.Name != "STOP_SPINDLE_TURNING";
            continue;
        }
        if (call.Name == "START_SPEED_FEED_SYNC" || call.Name == "STOP_SPEED_FEED_SYNCH") {
            lead = call.Name == "STOP_SPEED_FEED_SYNCH" ? 0 : Number(call, 0);
            continue;
        }
        if (call.Name == "SELECT_PLANE") {
            plane = call.Arguments.at(0);
            continue;
        }
        if (call.Name == "STRAIGHT_TRAVERSE" || call.Name == "STRAIGHT_FEED") {
            move.Type =
                call.Name == "STRAIGHT_FEED" ? ProgramMove::Kind::Feed : ProgramMove::Kind::Rapid;
            move.X = Number(call, 0);
            move.Z = Number(call, 2);
        } else if (call.Name == "ARC_FEED") {
            // In the ZX plane the first axis is Z and the second X.
            if (plane != "CANON_PLANE_XZ")
                throw std::invalid_argument("block " + call.Block + ": an arc in the plane " +
                                            plane + ", not in the ZX plane of a lathe");
            move.Type = ProgramMove::Kind::Arc;
            move.Z = Number(call, 0);
            move.X = Number(call, 1);
            move.CentreZ = Number(call, 2);
            move.CentreX = Number(call, 3);
            move.Turns = static_cast<int>(Number(call, 4));
        } else {
            continue;
        }
        move.Feed = feed;
        move.Lead = lead;
        move.SpindleOn = spindle;
        moves.push_back(move);
    }
    return moves;
}

std::optional<std::string> InterpreterUnavailable() {
    if (access((InterpreterDir / "rs274").c_str(), X_OK) == 0)
        return std::nullopt;
    std::string reason = ReadAll(InterpreterDir / "rs274-unavailable.txt");
    if (reason.empty())
        reason = "LinuxCNC's interpreter rs274 is not in " + InterpreterDir.string() +
                 " (scripts/fetch-rs274.sh brings it there when the build is configured)\n";
    return reason;
}

InterpreterRun RunLinuxCncInterpreter(const std::vector<std::string>& program) {
    if (auto reason = InterpreterUnavailable())
        throw std::runtime_error(*reason);
    static std::atomic<int> runs = 0;
    fs::path dir = fs::temp_directory_path() /
                   ("torvex_rs274_" + std::to_string(getpid()) + "_" + std::to_string(++runs));
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::string text;
    for (const std::string& line : program)
        text += line + "\n";
    WriteAll(dir / "program.ngc", text);
    WriteAll(dir / "lathe.ini", LatheIni);
    WriteAll(dir / "lathe.tbl", LatheToolTable());
    WriteAll(dir / "lathe.var", "");
    // The interpreter keeps a file in the home folder.
    std::string command = "cd '" + dir.string() + "' && HOME='" + dir.string() + "' '" +
                          (InterpreterDir / "rs274").string() +
                          "' -g -i lathe.ini -t lathe.tbl program.ngc >canonical.txt 2>errors.txt";
    int status = std::system(command.c_str());
    InterpreterRun run;
    run.ExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream errors(ReadAll(dir / "errors.txt"));
    for (std::string line; std::getline(errors, line);)
        if (line != "executing")
            run.Errors += line + "\n";
    run.Calls = ParseCanonicalOutput(ReadAll(dir / "canonical.txt"));
    run.Moves = CanonicalMoves(run.Calls);
    fs::remove_all(dir);
    return run;
}

} // namespace torvex::testing
