#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace torvex::testing {

using Args = std::vector<std::string>;

// A sample file's full name.
inline std::string SampleFile(const std::string& name) {
    return std::string(TORVEX_DATA) + "/" + name;
}

// The batch tool's roughing job on a sample model: Safe Z 5, offset 2, 1200 rev/min, rest 0.5,
// depth 2, feeds 100 and 200, Rough80 as tool 1 on the left and Left45 as tool 2 on the right.
inline Args RoughArgs(const char* model, const char* ops) {
    return {SampleFile(std::string("Models/") + model),
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
            SampleFile("Knives/Rough80.knf"),
            "--right-knife",
            SampleFile("Knives/Left45.knf"),
            "--left-tool",
            "1",
            "--right-tool",
            "2"};
}

// The batch tool's finishing job: Safe Z 3, offset 2, 1800 rev/min, approach 1, feed 90, Finish35
// as tool 3 on the left and as tool 4 on the right.
inline Args FinishArgs(const char* model, const char* ops) {
    return {SampleFile(std::string("Models/") + model),
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
            SampleFile("Knives/Finish35.knf"),
            "--right-knife",
            SampleFile("Knives/Finish35.knf"),
            "--left-tool",
            "3",
            "--right-tool",
            "4"};
}

// The batch tool's grooving job on a sample model: Safe Z 2, rest 0.5, pecks of 1, plunging at 60
// and finishing at 40 mm/min, 800 rev/min, Groove3 as tool 5.
inline Args GrooveArgs(const char* model, const char* ops) {
    return {SampleFile(std::string("Models/") + model),
            "--ops",
            ops,
            "--safe",
            "2",
            "--rest",
            "0.5",
            "--peck",
            "1",
            "--plunge",
            "60",
            "--feed",
            "40",
            "--speed",
            "800",
            "--knife",
            SampleFile("Knives/Groove3.knf"),
            "--tool",
            "5"};
}

// The batch tool's threading job: M24x1.5 on the threaded sample from Z60 to Z42, the first cut
// 0.3 deep, Safe Z 1, 800 rev/min, Thread60 as tool 7.
inline Args ThreadArgs(const char* model = "threaded.mdl") {
    return {SampleFile(std::string("Models/") + model),
            "--from",
            "60",
            "--to",
            "42",
            "--pitch",
            "1.5",
            "--first-cut",
            "0.3",
            "--safe",
            "1",
            "--speed",
            "800",
            "--knife",
            SampleFile("Knives/Thread60.knf"),
            "--tool",
            "7"};
}

inline Args With(Args args, std::initializer_list<std::string> more) {
    args.insert(args.end(), more);
    return args;
}

} // namespace torvex::testing
