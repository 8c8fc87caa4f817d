#include "operations/qt/operation_windows.h"

#include "geometry/number_text.h"
#include "operations/job_fields.h"
#include "operations/toolpath_building.h"
#include "operations/toolpath_display.h"
#include "platform/qt/qt_support.h"
#include "toolpath/toolpath.h"

namespace torvex {

namespace {

constexpr const char* SafeZTip = "Safe Z : radial clearance above the stock, mm";
constexpr const char* OffsetTip = "Offset : axial clearance beyond the part's ends, mm";
constexpr const char* TurningSpeedTip = "Turning speed : spindle speed, rev/min";
constexpr const char* SurfaceSpeedTip =
    "Surface speed : constant cutting speed at the knife's tip, m/min; empty for a fixed turning "
    "speed";
constexpr const char* MaxSpindleSpeedTip =
    "Max spindle speed : the spindle never turns faster under constant surface speed, rev/min";
const std::vector<OperationWindow::Slot> LeftAndRightTools = {
    {"Tool1", "LTool :", ToolSide::Left}, {"Tool2", "RTool :", ToolSide::Right}};

const OperationWindow::Description& RoughingDescription() {
    static const OperationWindow::Description description{
        "Roughing toolpath",
        "ROUGH",
        {{"e1", "Safe Z :", "mm", SafeZTip},
         {"e2", "Offset :", "mm", OffsetTip},
         {"e6", "Finishing rest :", "mm",
          "Finishing rest : material left on the part for finishing, mm"},
         {"e3", "Cutting depth :", "mm",
          "Cutting depth : how deep each roughing pass cuts, radially, mm"},
         {"e4", "Transversal speed", "mm/min",
          "Transversal speed : feed towards the axis, into the material, mm/min"},
         {"e5", "Longitudinal speed", "mm/min", "Longitudinal speed : feed along the part, mm/min"},
         {"e7", "Turning speed", "rev/min", TurningSpeedTip},
         {"e8", "Surface speed :", "m/min", SurfaceSpeedTip},
         {"e9", "Max spindle speed :", "rev/min", MaxSpindleSpeedTip}},
        LeftAndRightTools,
        {{5, "FlatSpeedButton8", "Left end face", 0, 0, 1},
         {6, "FlatSpeedButton9", "Right end face", 0, 1, 1},
         {0, "FlatSpeedButton7", "Whole length", 1, 0, 2},
         {2, "FlatSpeedButton3", "Left side below the part's largest radius", 2, 0, 1},
         {4, "FlatSpeedButton5", "Right side below the part's largest radius", 2, 1, 1},
         {1, "FlatSpeedButton2", "Left side from the stock radius", 3, 0, 1},
         {3, "FlatSpeedButton4", "Right side from the stock radius", 3, 1, 1}}};
    return description;
}

const OperationWindow::Description& FinishingDescription() {
    static const OperationWindow::Description description{
        "Finishing toolpath",
        "FINISH",
        {{"e1", "Safe Z :", "mm", SafeZTip},
         {"e2", "Offset :", "mm", OffsetTip},
         {"e3", "StartXOffset :", "mm",
          "StartXOffset : radial clearance above the outline's start, where the tool comes in, mm"},
         {"e4", "Cutting speed :", "mm/min", "Cutting speed : feed along the outline, mm/min"},
         {"e5", "Turning speed :", "rev/min", TurningSpeedTip},
         {"e6", "Surface speed :", "m/min", SurfaceSpeedTip},
         {"e7", "Max spindle speed :", "rev/min", MaxSpindleSpeedTip}},
        LeftAndRightTools,
        {{1, "FlatSpeedButton3", "Left side without its top", 0, 0, 1},
         {3, "FlatSpeedButton5", "Right side without its top", 0, 1, 1},
         {2, "FlatSpeedButton7", "Left side with its top", 1, 0, 1},
         {4, "FlatSpeedButton2", "Right side with its top", 1, 1, 1}}};
    return description;
}

const OperationWindow::Description& GroovingDescription() {
    static const OperationWindow::Description description{
        "Grooving and parting",
        "GROOVE",
        {{"e1", "Safe Z :", "mm", SafeZTip},
         {"e2", "Finishing rest :", "mm",
          "Finishing rest : material left on the grooves' walls and floors for the finishing "
          "pass, mm"},
         {"e3", "Step :", "mm",
          "Step : axial distance between plunges; empty for 80% of the knife's cutting width, mm"},
         {"e4", "Peck depth :", "mm",
          "Peck depth : a plunge backs off every this deep to break the chip; 0 for none, mm"},
         {"e5", "Plunge speed", "mm/min", "Plunge speed : feed of the plunges, mm/min"},
         {"e6", "Finishing speed", "mm/min",
          "Finishing speed : feed of the pass along the grooves' walls and floors, mm/min"},
         {"e7", "Turning speed", "rev/min", TurningSpeedTip},
         {"e8", "Part off at Z :", "mm",
          "Part off at Z : where the part is cut off, at or beyond one of its end faces, mm"},
         {"e9", "Final radius :", "mm",
          "Final radius : where parting stops; 0 cuts through to the axis, mm"}},
        {{"Tool1", "Tool :", ToolSide::Left}},
        {{1, "FlatSpeedButton2", "Grooves", 0, 0, 1},
         {2, "FlatSpeedButton3", "Part off", 0, 1, 1}}};
    return description;
}

const OperationWindow::Description& ThreadingDescription() {
    static const OperationWindow::Description description{
        "Threading",
        "THREAD",
        {{"e1", "Thread from Z :", "mm",
          "Thread from Z : where the passes enter the thread, usually at the free end; they start "
          "3 pitches before it, mm"},
         {"e2", "Thread to Z :", "mm",
          "Thread to Z : where the passes end and retract, usually towards the chuck, mm"},
         {"e3", "Pitch :", "mm", "Pitch : the thread's travel per turn, mm"},
         {"e4", "Thread depth :", "mm",
          "Thread depth : radial, from the crest to the root; empty for an ISO metric thread's, "
          "0.6134 x pitch, mm"},
         {"e5", "First cut depth :", "mm",
          "First cut depth : radial depth of the first pass; empty for a third of the thread "
          "depth, mm"},
         {"e6", "Minimum cut :", "mm",
          "Minimum cut : each pass but the last goes at least this much deeper, mm"},
         {"e7", "Spring passes :", "",
          "Spring passes : passes at full depth after the last cutting one, 0 to 99"},
         {"e8", "Infeed angle :", "deg",
          "Infeed angle : the passes enter along the flank, this far from the radial, degrees"},
         {"e9", "Safe Z :", "mm",
          "Safe Z : radial clearance above the crests, where the passes return, mm"},
         {"e10", "Turning speed", "rev/min",
          "Turning speed : fixed spindle speed; the pitch times it is the feed, rev/min"}},
        {{"Tool1", "Tool :", ToolSide::Left}},
        {}};
    return description;
}

} // namespace

RoughingWindow::RoughingWindow(Workspace& workspace, const SlotPictureSource& pictures,
                               LibraryPositions positions, ToolpathTreeDisplay& tree,
                               ToolpathViewDisplay& view, MessageSink& messages, QWidget* parent)
    : QueuedRoughingWindow(RoughingDescription(), workspace, pictures, std::move(positions), tree,
                           view, messages, parent) {
    Build(RoughingDescription());
}

std::string RoughingWindow::NextName() const {
    return NextToolpathName(Work, "Roughing");
}

MachiningJob RoughingWindow::Job(char separator) const {
    TRoughingFields fields{FieldText("e1"), FieldText("e2"), FieldText("e6"),
                           FieldText("e3"), FieldText("e4"), FieldText("e5"),
                           FieldText("e7"), FieldText("e8"), FieldText("e9")};
    return RoughingJobOf(fields, Work.RoughingQueue.Codes, Tool(ToolSide::Left),
                         Tool(ToolSide::Right), separator);
}

FinishingWindow::FinishingWindow(Workspace& workspace, const SlotPictureSource& pictures,
                                 LibraryPositions positions, ToolpathTreeDisplay& tree,
                                 ToolpathViewDisplay& view, MessageSink& messages, QWidget* parent)
    : QueuedFinishingWindow(FinishingDescription(), workspace, pictures, std::move(positions), tree,
                            view, messages, parent) {
    Build(FinishingDescription());
}

std::string FinishingWindow::NextName() const {
    return NextToolpathName(Work, "Finishing");
}

MachiningJob FinishingWindow::Job(char separator) const {
    TFinishingFields fields{FieldText("e1"), FieldText("e2"), FieldText("e3"), FieldText("e4"),
                            FieldText("e5"), FieldText("e6"), FieldText("e7")};
    return FinishingJobOf(fields, Work.FinishingQueue.Codes, Tool(ToolSide::Left),
                          Tool(ToolSide::Right), separator);
}

GroovingWindow::GroovingWindow(Workspace& workspace, const SlotPictureSource& pictures,
                               LibraryPositions positions, ToolpathTreeDisplay& tree,
                               ToolpathViewDisplay& view, MessageSink& messages, QWidget* parent)
    : QueuedGroovingWindow(GroovingDescription(), workspace, pictures, std::move(positions), tree,
                           view, messages, parent) {
    Build(GroovingDescription());
}

std::string GroovingWindow::NextName() const {
    return NextToolpathName(Work, "Grooving");
}

MachiningJob GroovingWindow::Job(char separator) const {
    TGroovingFields fields{FieldText("e1"), FieldText("e2"), FieldText("e3"),
                           FieldText("e4"), FieldText("e5"), FieldText("e6"),
                           FieldText("e7"), FieldText("e8"), FieldText("e9")};
    return GroovingJobOf(fields, Work.GroovingQueue.Codes, Tool(ToolSide::Left), separator);
}

ThreadingWindow::ThreadingWindow(Workspace& workspace, const SlotPictureSource& pictures,
                                 LibraryPositions positions, ToolpathTreeDisplay& tree,
                                 ToolpathViewDisplay& view, MessageSink& messages, QWidget* parent)
    : OperationWindow(ThreadingDescription(), workspace, pictures, std::move(positions), tree, view,
                      messages, parent) {
    Build(ThreadingDescription());
    ThreadingJob defaults;
    char separator = SystemDecimalSeparator();
    ShowDefault("e6", FloatToText(defaults.MinimumCut, separator));
    ShowDefault("e7", FloatToText(defaults.SpringPasses, separator));
    ShowDefault("e8", FloatToText(defaults.InfeedAngle, separator));
}

std::string ThreadingWindow::NextName() const {
    return NextToolpathName(Work, "Threading");
}

MachiningJob ThreadingWindow::Job(char separator) const {
    TThreadingFields fields{FieldText("e1"), FieldText("e2"), FieldText("e3"), FieldText("e4"),
                            FieldText("e5"), FieldText("e6"), FieldText("e7"), FieldText("e8"),
                            FieldText("e9"), FieldText("e10")};
    return ThreadingJobOf(fields, Tool(ToolSide::Left), separator);
}

} // namespace torvex
