#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace torvex {

// Exit statuses of the batch tool.
inline constexpr int ExitOk = 0;
inline constexpr int ExitFailure = 1;
inline constexpr int ExitUsage = 2;
inline constexpr int ExitCollision = 3; // --strict found a knife entering the part or a crash

// A command line the tool cannot make sense of; its text says what was wrong.
struct UsageError {
    std::string Text;
};

class TShaft;

// Loads a model file into the part and its stock companion (or the stock file given) into the
// stock, as the program does. When either cannot be read, the loader's message and the names of
// both files go to `err` and the result is false.
bool LoadModelFiles(const std::string& modelFile, TShaft& part, TShaft& stock, std::ostream& err,
                    const std::optional<std::string>& stockFile = std::nullopt);

// `info MODEL`: the part's and the stock's measures and the part's side outlines.
int RunInfo(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// `rough MODEL OPTIONS`, `finish MODEL OPTIONS` and `groove MODEL OPTIONS`: what "Add toolpath"
// and then "Generate NC code" do in the roughing, finishing or grooving window, with the fields
// given as options. --stock FILE starts from that stock instead of the model's companion. The NC
// program goes to -o FILE or standard output; --path-csv and --stock-csv write the path points
// and the stock profile the toolpath leaves, --stock-out that stock as a stock file; --check
// prints the check against the knives on `err`, and with --strict a collision writes nothing and
// returns ExitCollision. Errors throw, and nothing is written.
int RunRough(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
int RunFinish(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
int RunGroove(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
// `thread MODEL OPTIONS`: what "Add toolpath" and then "Generate NC code" do in the threading
// window, likewise; it takes no --ops.
int RunThread(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// `import-dxf DRAWING -o MODEL [--axis-y Y] [--layer NAME] [--stock-allowance A]
// [--face-allowance F]`: the part's profile found in a DXF drawing written as MODEL and its stock
// bar as MODEL + "s"; what the drawing held besides goes to `out`. A refusal throws, and nothing
// is written.
int RunImportDxf(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// `job FILE.tjob`: the whole job's program, or with --toolpath NAME that toolpath's, checked and
// simulated from the stock the toolpaths before it leave; the options override the file's program
// settings. A job file that cannot be read or opened throws JobFileError, and nothing is written.
int RunJobFile(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// `flip MODEL -o FLIPPED.mdl`: the part and its stock companion mirrored end for end about the
// part's right end, written as FLIPPED.mdl and FLIPPED.mdls.
int RunFlip(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// `library list|add-knife|add-support|delete-knife|delete-support ... [--dir DIR]`: the tool
// library below DIR (default: the current directory), changed as the library window changes it.
// Refusals throw, and nothing is changed.
int RunLibrary(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace torvex
