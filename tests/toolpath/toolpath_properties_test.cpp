#include "geometry/model_files.h"
#include "platform/message_sink.h"
#include "tests/toolpath/path_checks.h"
#include "tests/toolpath/test_profiles.h"
#include "toolpath/nc_block.h"
#include "toolpath/toolpath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using namespace torvex;
using namespace torvex::testing;

namespace {

constexpr double Rest = 0.5;
constexpr uint8_t ArcSteps = 20;

struct Workpiece {
    TShaft Part;
    TShaft Stock;
    // Whether every arc meets its neighbours tangentially. Where one meets a line at a corner,
    // joining draws the line to the arc's moved end, which lies closer to the part than the rest.
    bool TangentArcs = true;
};

// Fillets and roundings, convex and concave, on both flanks of a part from x = 5 to x = 61.
Workpiece Flanks() {
    return {Shaft({"line 5/0/5/6/", "line 5/6/6/7/", "line 6/7/15/7/", "arc 13/7/17/11/17/9/15/7/",
                   "line 17/9/17/14/", "arc 17/12.5/20/15.5/17/14/18.5/15.5/",
                   "line 18.5/15.5/40/15.5/", "arc 38/11.5/42/15.5/40/15.5/42/13.5/",
                   "line 42/13.5/42/11/", "arc 42/10/44/12/43/10/42/11/", "line 43/10/60/10/",
                   "line 60/10/61/9/", "line 61/9/61/0/"}),
            Shaft({"line 5/0/5/18/", "line 5/18/61/18/", "line 61/18/61/0/"})};
}

// A part whose highest point is the crown of an arc (radius 10 around (30, 4), rising to 14),
// with a shoulder to radius 12 behind it.
Workpiece Crown() {
    return {
        Shaft({"line 0/0/0/10/", "line 0/10/22/10/", "arc 20/-6/40/14/22/10/38/10/",
               "line 38/10/50/10/", "line 50/10/50/12/", "line 50/12/60/12/", "line 60/12/60/0/"}),
        Shaft({"line 0/0/0/18/", "line 0/18/60/18/", "line 60/18/60/0/"}), false};
}

std::vector<std::string> WorkpieceNames() {
    std::vector<std::string> names;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(TORVEX_DATA) + "/Models"))
        if (entry.path().extension() == ".mdl")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    names.push_back("flanks");
    names.push_back("crown");
    return names;
}

Workpiece Load(const std::string& name) {
    if (name == "flanks")
        return Flanks();
    if (name == "crown")
        return Crown();
    Workpiece piece;
    RecordingMessageSink messages;
    EXPECT_TRUE(LoadPartAndStock(std::string(TORVEX_DATA) + "/Models/" + name + ".mdl", piece.Part,
                                 piece.Stock, messages));
    return piece;
}

// A strategy as the operation windows run it, outlines built the way each window builds them.
struct Strategy {
    std::string Name;
    std::function<void(const Workpiece&, BlockWriter&)> Run;
};

void CheckOffsetContour(const Workpiece& piece, const Tobjects& contour) {
    if (!piece.TangentArcs)
        return;
    for (const TPoint& p : PointsAlong(contour)) {
        EXPECT_FALSE(IsInsidePart(piece.Part.Points, p))
            << "offset point (" << p.X << ", " << p.Y << ")";
        EXPECT_GE(DistanceToProfile(piece.Part.Elements, p), Rest - 1e-9)
            << "offset point (" << p.X << ", " << p.Y << ")";
    }
}

std::vector<Strategy> Strategies() {
    std::vector<Strategy> strategies;
    strategies.push_back({"full length", [](const Workpiece& piece, BlockWriter& w) {
                              RoughingParameters p = Roughing(2 + piece.Stock.MaxRadius, 1.5);
                              RoughFullLength(w, piece.Part.Elements, piece.Stock.MaxRadius, Rest,
                                              p);
                          }});
    for (Flank flank : {Flank::Left, Flank::Right}) {
        for (bool close : {true, false}) {
            std::string name = std::string(flank == Flank::Left ? "rough left" : "rough right") +
                               (close ? " from the stock" : " below the part");
            strategies.push_back(
                {name, [flank, close](const Workpiece& piece, BlockWriter& w) {
                     SideOutlines outlines = piece.Part.SideOutlinesFor(
                         EntryCorner::Drop, FlatTop::Drop, FlatTop::Drop);
                     std::optional<double> climb;
                     if (close)
                         climb = piece.Stock.MaxRadius - piece.Part.MaxRadius;
                     const TModel& outline = flank == Flank::Left ? outlines.Left : outlines.Right;
                     Tobjects contour = BuildOffsetContour(outline.Elements, flank, Rest, climb);
                     CheckOffsetContour(piece, contour);
                     RoughFlank(w, contour, flank, Roughing(2 + piece.Stock.MaxRadius, 1.5));
                 }});
        }
        for (bool flat : {false, true}) {
            std::string name = std::string(flank == Flank::Left ? "finish left" : "finish right") +
                               (flat ? " with its flat" : "");
            strategies.push_back(
                {name, [flank, flat](const Workpiece& piece, BlockWriter& w) {
                     FlatTop top = flat ? FlatTop::Keep : FlatTop::Drop;
                     SideOutlines outlines =
                         piece.Part.SideOutlinesFor(EntryCorner::Keep, top, top);
                     const TModel& outline = flank == Flank::Left ? outlines.Left : outlines.Right;
                     FinishFlank(w, outline.Elements, flank, Finishing(2 + piece.Stock.MaxRadius));
                 }});
        }
    }
    return strategies;
}

void CheckToolpath(const Workpiece& piece, const TToolpath& toolpath) {
    EXPECT_TRUE(BlocksAreWellFormed(toolpath)) << Listing(toolpath);
    EXPECT_TRUE(ArcBlocksMatchPreview(toolpath));
    EXPECT_TRUE(TimesAreConsistent(toolpath.PathPoints));
    EXPECT_TRUE(StaysOutsidePart(toolpath.PathPoints, piece.Part.Points)) << Listing(toolpath);
}

class EveryStrategy : public ::testing::TestWithParam<std::string> {};

} // namespace

TEST_P(EveryStrategy, CutsNothingOfThePartAndWritesWellFormedBlocks) {
    Workpiece piece = Load(GetParam());
    for (const Strategy& strategy : Strategies()) {
        SCOPED_TRACE(strategy.Name);
        TToolpath toolpath = Written([&](BlockWriter& w) { strategy.Run(piece, w); });
        CheckToolpath(piece, toolpath);
    }
}

TEST_P(EveryStrategy, RunOneAfterAnotherOnOneToolpath) {
    Workpiece piece = Load(GetParam());
    TToolpath toolpath;
    BlockWriter w(toolpath);
    size_t written = 0;
    for (const Strategy& strategy : Strategies()) {
        w.BeginOperation(OperationKind::SideRoughing, ToolSide::Left, 3);
        strategy.Run(piece, w);
        w.EndOperation();
        EXPECT_GT(toolpath.NCBlocks().size(), written) << strategy.Name;
        written = toolpath.NCBlocks().size();
    }
    CheckToolpath(piece, toolpath);
}

INSTANTIATE_TEST_SUITE_P(SampleAndOwnParts, EveryStrategy, ::testing::ValuesIn(WorkpieceNames()));
