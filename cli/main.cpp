#include "cli/commands.h"
#include "cli/progress.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

const char* const UsageText = R"(Usage: torvex-nc COMMAND ARGUMENTS
  or:  torvex-nc --help | --version
The machining core of Torvex - CAM from the command line: the measures of a model, roughing,
finishing, grooving and threading toolpaths with their NC programs, and the tool library.

commands:
  info MODEL     the measures and side outlines of a model file and its stock companion
                 (MODEL + "s")
  rough MODEL    a roughing toolpath and its NC program
  finish MODEL   a finishing toolpath and its NC program
  groove MODEL   a grooving and parting toolpath and its NC program
  thread MODEL   an external thread's toolpath and its NC program (in the control's own cycle)
  job FILE.tjob  the whole job of a job file as one program (--toolpath NAME: that toolpath's
                 program, checked and simulated from the stock the toolpaths before it leave);
                 takes -o, --dialect, --diameter, --radius, --program-number, --door-code,
                 --tool-change, --check, --strict and --stock-out, which override the file's
                 program settings
  flip MODEL -o FLIPPED.mdl   the part and its stock mirrored end for end (x becomes the part's
                 right end minus x), written as FLIPPED.mdl and FLIPPED.mdls
  import-dxf DRAWING -o MODEL   the part's profile in a DXF drawing as MODEL and its stock bar
                 as MODEL + "s" (--axis-y Y: the turning axis is the drawing's line y = Y,
                 default 0; --layer NAME: that layer only; --stock-allowance MM on the largest
                 radius, default 1, rounded up to 0.5 mm; --face-allowance MM beyond the right
                 end face, default 2)
  library list                  the knives and supports of the tool library, one a line
  library add-knife NAME        add or replace a standard knife (--k1, --k2, --left, --right,
                                --height required; --nose R: its tip rounded to radius R;
                                --comments TEXT; --cuts left|right|both, default right)
  library add-support NAME      add or replace a support (--comments TEXT)
  library delete-knife NAME     remove a knife
  library delete-support NAME   remove a support
                 every library command takes --dir DIR, the folder that holds knives.dat,
                 tails.dat, Knives/ and Tails/ (default: the current directory)

options of rough, finish, groove and thread (numbers with a decimal point):
  --ops CODES            operations in queue order, comma-separated (not thread)
                         (rough: 0 whole length, 1/2 left side from the stock / below the part's
                         largest radius, 3/4 right side likewise, 5/6 left / right end face,
                         which come first; finish: 1/2 left side without / with its flat top,
                         3/4 right side likewise; groove: 1 the grooves, 2 part off, which comes
                         last)
  --safe MM              Safe Z: radial distance above the stock
  --speed RPM            Turning speed
  --name NAME            toolpath name (1-Roughing, 1-Finishing, 1-Grooving, 1-Threading)
  --stock FILE           the stock to start from instead of the model's companion (a stock
                         file, such as --stock-out writes)
  --coolant              use cooling fluid (M08 ... M09)
  --anticlockwise        anti-clockwise turning (M04)
  --door                 open the door after turning stops (M39; the fanuc dialect writes
                         the --door-code, the linuxcnc dialect has no door code)
  --dialect NAME         the control the program is written for: generic (the default, the
                         program's own text), linuxcnc, fanuc
  --diameter             X words carry the diameter (the default with fanuc)
  --radius               X words carry the radius (the default with generic and linuxcnc)
  --program-number N     fanuc: the number of the program's O line, 1 to 9999 (default 1)
  --door-code CODE       fanuc: the machine's M code that opens the door, e.g. M21
  --chuck-at X           the part is held in a chuck whose jaws end at x = X (in the profile's
                         frame): no move comes nearer to them than the jaw clearance, the left
                         flank cannot be reached, and the check counts any touch of the jaws as
                         a crash
  --jaw-clearance MM     the jaw clearance (default 3)
  --zero WHERE           program zero: profile (the default, the profile's origin) or free-end
                         (the part's right end face, the part then lying in negative Z)
  --tool-change WHERE    where the tool goes, radially and then axially, before each tool
                         change and at the end: X,Z (a radius and an axial position), machine
                         (the machine's own position: G30 with linuxcnc, G28 with fanuc; the
                         default with those) or none (the default with generic)
  -o FILE                write the NC program to FILE (default: standard output)
  --path-csv FILE        write the path points (X,Y,Dist,TotalTime,StepTime,Feed,Kind,Tool;
                         Kind rapid or feed, Tool left or right)
  --stock-csv FILE       simulate the toolpath on the stock, each move with the knife that makes
                         it, and write the stock profile it leaves (X,Y)
  --stock-out FILE       simulate likewise and write the stock it leaves as a stock file
                         (line records), to load as a model's stock companion or with --stock
  --max-spindle-speed RPM  the machine's largest turning speed (default 4000): a faster job
                         is refused
  --max-feed MM/MIN      the machine's largest feed (default 10000): a faster feed move is
                         refused
  --check                check the toolpath against the knives' true shape and print the
                         verdict on standard error
  --strict               any collision the check finds (a knife entering the part or the
                         jaws, a rapid move or a thread's pass through material) is an error:
                         exit status 3, nothing written
rough and finish:
  --offset MM            Offset: axial clearance beyond the part's ends
  --surface-speed M/MIN  constant surface speed (linuxcnc: G96 D S, fanuc: G50 S then G96 S;
                         the generic program keeps its turning speed); needs --max-speed
  --max-speed RPM        the most the spindle may turn at constant surface speed
  --left-knife FILE      knife file of the left tool (needed when an operation uses it)
  --right-knife FILE     knife file of the right tool
  --left-tool N          tool number of the left tool, its library position 1 to 20 (needed
                         when an operation uses it)
  --right-tool N         tool number of the right tool
rough only:
  --rest MM              Finishing rest
  --depth MM             Cutting depth (radial layers; axial layers of an end face)
  --transversal MM/MIN   Transversal speed (radial feed)
  --longitudinal MM/MIN  Longitudinal speed (axial feed)
finish only:
  --approach MM          StartXOffset: clearance above the outline's start for the approach
  --feed MM/MIN          Cutting speed
groove only:
  --knife FILE           knife file of the grooving tool (its cutting edge at least 0.5 mm wide)
  --tool N               its tool number, its library position 1 to 20
  --rest MM              Finishing rest: what the plunges leave on walls and floors
  --step MM              axial distance between plunges, at most the cutting edge's width
                         (default 80% of it)
  --peck MM              Peck depth: a plunge retracts 0.5 mm after every this deep (0: never)
  --plunge MM/MIN        Plunge speed
  --feed MM/MIN          Finishing speed: the pass down the walls and along the floors
  --part-at Z            Part off at Z: the face the part keeps (operation 2 needs it)
  --final-radius MM      where parting stops, 0 the axis (operation 2 needs it)
thread only:
  --from Z               Thread from Z: where the passes enter the thread (they start 3 pitches
                         before it)
  --to Z                 Thread to Z: where they end and retract; the part is a cylinder between
  --pitch MM             Pitch
  --depth MM             Thread depth, radial (default: an ISO metric thread's, 0.6134 x pitch)
  --first-cut MM         radial depth of the first pass (default: a third of the depth)
  --minimum-cut MM       each pass but the last at least this much deeper (default 0.05)
  --spring-passes N      passes at full depth after the last cut, 0 to 99 (default 1)
  --infeed-angle DEG     the passes enter along the flank at this angle, 0 to 45 (default 29.5)
  --knife FILE           knife file of the threading tool
  --tool N               its tool number, its library position 1 to 20
  --safe MM              Safe Z: radial clearance above the crests, where the passes return

other options:
  -h, --help             print this help and exit
  --version              print the version and exit

exit status:
  0  success
  1  an error: a file that cannot be read, a field that is not a number, a zero or negative
     depth, a tool without a knife, a speed or feed above the machine's limits (the message
     goes to standard error and nothing is written)
  2  a usage error
  3  --strict found a collision
)";

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h") {
        (arguments.empty() ? std::cerr : std::cout) << UsageText;
        return arguments.empty() ? torvex::ExitUsage : torvex::ExitOk;
    }
    if (arguments[0] == "--version") {
        std::cout << "torvex-nc (Torvex - CAM) " TORVEX_VERSION "\n";
        return torvex::ExitOk;
    }
    std::string command = arguments[0];
    arguments.erase(arguments.begin());
    // Long work shows its progress on a terminal; whatever else is written clears it first.
    std::streambuf* standardOutput = std::cout.rdbuf();
    std::streambuf* standardError = std::cerr.rdbuf();
    std::ostream terminal(standardError);
    torvex::TerminalProgress progress(terminal, isatty(STDERR_FILENO) == 1);
    torvex::ProgressClearingBuffer clearingOutput(*standardOutput, progress);
    torvex::ProgressClearingBuffer clearingError(*standardError, progress);
    std::cout.rdbuf(&clearingOutput);
    std::cerr.rdbuf(&clearingError);
    struct Restore {
        torvex::TerminalProgress& Progress;
        std::streambuf* Output;
        std::streambuf* Error;
        ~Restore() {
            std::cout.flush();
            Progress.Clear();
            std::cout.rdbuf(Output);
            std::cerr.rdbuf(Error);
        }
    } restore{progress, standardOutput, standardError};
    torvex::WorkToken token(
        [&progress](std::string_view stage, double share) { progress.Tell(stage, share); });
    torvex::WorkScope scope(token);
    try {
        if (command == "info")
            return torvex::RunInfo(arguments, std::cout, std::cerr);
        if (command == "rough")
            return torvex::RunRough(arguments, std::cout, std::cerr);
        if (command == "finish")
            return torvex::RunFinish(arguments, std::cout, std::cerr);
        if (command == "groove")
            return torvex::RunGroove(arguments, std::cout, std::cerr);
        if (command == "thread")
            return torvex::RunThread(arguments, std::cout, std::cerr);
        if (command == "job")
            return torvex::RunJobFile(arguments, std::cout, std::cerr);
        if (command == "flip")
            return torvex::RunFlip(arguments, std::cout, std::cerr);
        if (command == "import-dxf")
            return torvex::RunImportDxf(arguments, std::cout, std::cerr);
        if (command == "library")
            return torvex::RunLibrary(arguments, std::cout, std::cerr);
        throw torvex::UsageError{"unknown command '" + command + "'"};
    } catch (const torvex::UsageError& error) {
        std::cerr << "torvex-nc: " << error.Text << "\n(torvex-nc --help lists the commands)\n";
        return torvex::ExitUsage;
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return torvex::ExitFailure;
    }
}
