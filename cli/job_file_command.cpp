#include "cli/commands.h"
#include "cli/options.h"
#include "cli/program_output.h"
#include "operations/job_file.h"

#include <algorithm>
#include <ostream>

namespace torvex {

int RunJobFile(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::set<std::string> valued = ProgramValuedOptions;
    valued.insert("--toolpath");
    std::set<std::string> flags = ProgramFlags;
    for (const char* fromFile : {"--coolant", "--anticlockwise", "--door"})
        flags.erase(fromFile);
    ParsedOptions options(arguments, valued, flags, {1, "job file"});

    JobFile file = ReadJobFile(options.Positional());
    file.Setup = ReadSetup(options, file.Setup);
    OpenedJob job = OpenJob(file);
    ProgramSettings settings = ReadProgramSettings(options, job.Program);
    std::vector<const TToolpath*> toolpaths;
    for (const auto& toolpath : job.Toolpaths)
        toolpaths.push_back(toolpath.get());
    bool wholeJob = true;
    if (auto name = options.Value("--toolpath")) {
        auto found = std::find_if(toolpaths.begin(), toolpaths.end(),
                                  [&name](const TToolpath* t) { return t->Name == *name; });
        if (found == toolpaths.end())
            throw UsageError{"the job has no toolpath named '" + *name + "'"};
        toolpaths.erase(found + 1, toolpaths.end());
        wholeJob = false;
    }
    if (toolpaths.empty())
        throw UsageError{"the job has no toolpath to write a program of"};
    return WriteProgram(options, toolpaths, wholeJob, settings, job.Setup, job.Part, job.Stock, out,
                        err);
}

} // namespace torvex
