#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace torvex {

class TToolpath;
class Workspace;

// A toolpath that cannot be built: no model, too many toolpaths. The text is for the user.
class OperationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* NoPartText =
    "No part is loaded. Load a model before you build a toolpath.";
inline constexpr const char* NoStockText =
    "The part has no stock: its stock file (the model file name followed by \"s\") could not be "
    "read.";
inline constexpr const char* TooManyToolpathsText =
    "No more than 255 toolpaths can be added for one model. Load the model again to start anew.";

// What a tool slot of an operation window carries.
struct TToolSlotContent {
    std::vector<std::string> Data; // every line of the knife file
    std::string Ncoada;            // the support's name
    std::string Ncutit;            // the knife's name
};

// The texts of the roughing window's fields, as typed.
struct TRoughingFields {
    std::string SafeZ;             // e1
    std::string Offset;            // e2
    std::string FinishingRest;     // e6
    std::string CuttingDepth;      // e3
    std::string TransversalSpeed;  // e4
    std::string LongitudinalSpeed; // e5
    std::string TurningSpeed;      // e7
    std::string Name;              // namee
};

// The texts of the finishing window's fields, as typed.
struct TFinishingFields {
    std::string SafeZ;        // e1
    std::string Offset;       // e2
    std::string StartXOffset; // e3
    std::string CuttingSpeed; // e4
    std::string TurningSpeed; // e5
    std::string Name;         // namee
};

// How a build is run: a preview leaves no trace in the workspace; adding writes a tool change
// before each queued operation and stores the toolpath.
struct TBuildRequest {
    bool Adding = false;
    char DecimalSeparator = '.'; // of the fields' numbers
    // Called after each queued roughing operation (the roughing window resets its viewpoint).
    std::function<void()> AfterEachOperation;
};

// The knife contour of a knife file: its lines from the eleventh on (the first ten are the
// knife's name, comments and dimensions).
std::vector<std::string> KnifeContourLines(const std::vector<std::string>& knifeFileLines);

// The default names of the next toolpath: "3-Roughing", "3-Finishing" when two exist.
std::string NextRoughingName(const Workspace& workspace);
std::string NextFinishingName(const Workspace& workspace);

// Builds a toolpath from the queued operations, the fields and the two tool slots. Every field the
// build needs is converted before anything is built, so a bad field throws ConversionError and
// changes nothing; a strategy's ArithmeticError ends the build likewise. The part's side outlines
// are rebuilt as the operations need them. Throws OperationError without a part or a stock.
std::unique_ptr<TToolpath> BuildRoughingToolpath(Workspace& workspace,
                                                 const TRoughingFields& fields,
                                                 const TToolSlotContent& left,
                                                 const TToolSlotContent& right,
                                                 const TBuildRequest& request);
std::unique_ptr<TToolpath> BuildFinishingToolpath(Workspace& workspace,
                                                  const TFinishingFields& fields,
                                                  const TToolSlotContent& left,
                                                  const TToolSlotContent& right,
                                                  const TBuildRequest& request);

// "Add toolpath": nothing (nullptr) with an empty queue; otherwise builds with tool changes and,
// only when the whole build succeeded, appends the toolpath to the workspace and returns it.
// Throws OperationError when 255 toolpaths exist already.
TToolpath* AddRoughingToolpath(Workspace& workspace, const TRoughingFields& fields,
                               const TToolSlotContent& left, const TToolSlotContent& right,
                               char decimalSeparator,
                               const std::function<void()>& afterEachOperation = {});
TToolpath* AddFinishingToolpath(Workspace& workspace, const TFinishingFields& fields,
                                const TToolSlotContent& left, const TToolSlotContent& right,
                                char decimalSeparator);

// The parameter lines the toolpath tree shows under "Parameters", with the fields as typed.
std::vector<std::string> RoughingParameterTexts(const TRoughingFields& fields);
std::vector<std::string> FinishingParameterTexts(const TFinishingFields& fields);

} // namespace torvex
