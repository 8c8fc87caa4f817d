#pragma once

#include "geometry/shaft.h"
#include "operations/nc_dialect.h"
#include "toolpath/job.h"
#include "toolpath/setup.h"
#include "toolpath/toolpath.h"

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace torvex {

class Workspace;

// A job file that cannot be read: its text says which field is wrong and why.
class JobFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a job file (.tjob) holds: the model (the part's and the stock's element records), the
// toolpaths in tree order as the jobs they were built from, and how their program is written.
// The file is self-contained: opening it needs neither the model file nor the tool library.
struct JobFile {
    struct Toolpath {
        std::string Name;
        MachiningJob Job;
    };
    std::string ModelName;
    std::vector<std::string> Part;
    std::vector<std::string> Stock;
    std::vector<Toolpath> Toolpaths;
    ProgramSettings Program;
    torvex::Setup Setup;
};

// The job file's JSON text ("format": "torvex-job", "version": 1), numbers with a decimal point.
std::string JobFileText(const JobFile& job);
// Reads a job file's text. Throws JobFileError for text that is not JSON, another format or
// version, a missing field, a field of the wrong type, or a value the windows would refuse (a
// negative depth, an unknown or misplaced operation code, a tool number outside 0 to 20, a program
// the control cannot take), naming the field ("toolpaths[1].depth").
JobFile ReadJobFileText(std::string_view text);

// Writes the job file whole or not at all; reads one (FileError when it cannot be read).
void SaveJobFile(const std::filesystem::path& file, const JobFile& job);
JobFile ReadJobFile(const std::filesystem::path& file);

// The job the workspace holds: its model, its toolpaths and its setup, with the program's
// settings.
JobFile JobOfWorkspace(const Workspace& workspace, const ProgramSettings& program);

// A job file opened: the part and the stock loaded from its records and every toolpath rebuilt
// from its job, in the file's setup, through the code the windows use. Throws JobFileError naming
// the record or the toolpath that cannot be loaded or built; nothing is kept then.
struct OpenedJob {
    std::string ModelName;
    TShaft Part;
    TShaft Stock;
    std::vector<std::unique_ptr<TToolpath>> Toolpaths;
    ProgramSettings Program;
    torvex::Setup Setup;
};
OpenedJob OpenJob(const JobFile& job);

// The workspace takes the opened job in place of its model and toolpaths.
void UseJob(Workspace& workspace, OpenedJob job);

} // namespace torvex
