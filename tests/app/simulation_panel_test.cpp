#include "app/simulation_panel.h"
#include "bench/sample_jobs.h"

#include "app/scene_mapping.h"
#include "cli/commands.h"
#include "geometry/model_files.h"
#include "operations/toolpath_building.h"
#include "platform/message_sink.h"
#include "platform/qt/qt_support.h"
#include "platform/qt/scene_view.h"
#include "platform/text_file.h"
#include "simulation/playback.h"
#include "tests/app/program_windows_fixture.h"
#include "tests/simulation/simulation_fixtures.h"
#include "tests/support/job_args.h"
#include "workspace/workspace.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace torvex;
namespace fs = std::filesystem;

namespace {

const fs::path Data = TORVEX_DATA;
const fs::path Collared = Data / "Models" / "collared.mdl";

std::vector<TPoint> LoadedStock(const fs::path& file) {
    TShaft stock;
    RecordingMessageSink messages;
    EXPECT_TRUE(stock.LoadFromFile(file, messages)) << file;
    return ProfileChain(stock);
}

class SimulationPanelTest : public torvex::testing::ProgramWindowsTest {
protected:
    void SetUp() override {
        ProgramWindowsTest::SetUp();
        Load(Collared);
        Panel = Main->findChild<SimulationPanel*>("SimulationPanel");
        ASSERT_NE(Panel, nullptr);
        Messages.Messages.clear();
    }

    QString Label(const char* name) const { return Control<QLabel>(name)->text(); }

    // Gives the toolpath its branch and clicks it, as an operation window and the user do.
    TToolpath& Select(TToolpath& toolpath) {
        Main->AddToolpathNode(toolpath, {toolpath.Name, {}, {}});
        ClickNode(ToolpathNode(Main->RootNode()->childCount() - 1));
        return toolpath;
    }
    TToolpath& Made(const std::string& name, const TPctList& path, bool knife = true) {
        auto toolpath = std::make_unique<TToolpath>();
        toolpath->Name = name;
        toolpath->PathPoints = path;
        if (knife)
            toolpath->LeftKnife = fixtures::Rough80();
        Work.Toolpaths.push_back(std::move(toolpath));
        return Select(*Work.Toolpaths.back());
    }
    // The collared part roughed with the sample knives, as the roughing window adds it.
    TToolpath& Roughed() {
        using enum RoughingOperation;
        RoughingJob job =
            SampleRoughing({WholeLength, LeftBelowTop, RightBelowTop},
                           SampleTool(Data, "Rough80", 1), SampleTool(Data, "Left45", 2));
        return Select(torvex::AddToolpath(Work, job, "1-Roughing"));
    }
    std::vector<TPoint> Bar() const { return ProfileChain(Work.StockShaft); }

    SimulationPanel* Panel = nullptr;
};

QString Decimal(const char* whole, const char* fraction) {
    return QString(whole) + QChar(SystemDecimalSeparator()) + fraction;
}

} // namespace

TEST_F(SimulationPanelTest, TheLabelsShowTheToolpathsLengthAndTimesInTheirFormats) {
    TPctList path;
    path.AddPoint(90, 30, 200);
    path.AddPoint(90 - 512.3, 30, 512.3 * 60 / 83.456);
    Made("long", path);
    Click("s1");
    EXPECT_EQ(Label("l3"), "Total toolpath time : " + Decimal("83", "46") + " s");
    EXPECT_EQ(Label("l1"), "Total toolpath length : " + Decimal("512", "30") + " mm");
    for (const char* name : {"s2", "s3", "M", "MUP", "l1", "l2", "l3", "SaveStock"})
        EXPECT_TRUE(Control<QWidget>(name)->isEnabled()) << name;
    MainScene& scene = Main->SceneObjects();
    EXPECT_FALSE(scene.PartSolid.Visible || scene.StockSolid.Visible);
    EXPECT_TRUE(scene.SimulationSolid.Visible);
    Click("s2");
    EXPECT_TRUE(Main->View()->Clock.Enabled);
    Panel->FrameStep(12.5);
    EXPECT_EQ(Label("l2"), "Current toolpath time : " + Decimal("12", "500") + " s");
    EXPECT_TRUE(scene.ToolSolid.Visible);
    EXPECT_NEAR(scene.ToolSolid.Position.X,
                SceneMapping(Work.SceneScale).Axial(90 - 512.3 * 12.5 / path.Last().TotalTime),
                1e-9);
    Click("s3");
    EXPECT_FALSE(Main->View()->Clock.Enabled);
}

TEST_F(SimulationPanelTest, ALargeMultiplierReachesDoneWithTheStockTheBatchToolWrites) {
    TToolpath& toolpath = Roughed();
    Click("s1");
    QToolButton* up = Control<QWidget>("MUP")->findChild<QToolButton*>("Up");
    for (int k = 0; k < 120; ++k)
        QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(Control<QLineEdit>("M")->text(), "100");
    EXPECT_EQ(Main->View()->Clock.Multiplier(), 100);
    Click("s2");
    // Frames of a fortieth of a second at a hundred times the speed.
    double total = toolpath.PathPoints.Last().TotalTime;
    for (double t = 0; Panel->Playback().Running() && t < 2 * total; t += 100.0 / 40)
        Panel->FrameStep(t);
    EXPECT_EQ(Messages.Messages, std::vector<std::string>{"Done"});
    EXPECT_FALSE(Main->View()->Clock.Enabled);

    fs::path batch = Scratch("batch.mdls");
    std::ostringstream out, err;
    ASSERT_EQ(RunRough(torvex::testing::With(
                           torvex::testing::RoughArgs("collared.mdl", "0,2,4"),
                           {"--stock-out", batch.string(), "-o", Scratch("batch.nc").string()}),
                       out, err),
              ExitOk)
        << err.str();
    Dialogs.SaveAnswers.push_back(Scratch("saved.mdls"));
    Click("SaveStock");
    std::vector<TPoint> saved = LoadedStock(Scratch("saved.mdls"));
    EXPECT_NE(saved, Bar());
    EXPECT_LT(fixtures::ProfileDistance(saved, LoadedStock(batch)), 0.01);
    EXPECT_LT(fixtures::ProfileDistance(saved, Panel->Playback().Saved.Profile()), 0.01);
}

TEST_F(SimulationPanelTest, StopThenStartKeepsTheMaterialRemoved) {
    TToolpath& toolpath = Roughed();
    Click("s1");
    Click("s2");
    Panel->FrameStep(toolpath.PathPoints.Last().TotalTime / 3);
    Click("s3");
    std::vector<TPoint> stopped = Panel->Playback().Saved.Profile();
    EXPECT_NE(stopped, Bar());
    Click("s2");
    Panel->FrameStep(0);
    EXPECT_EQ(Panel->Playback().Stock(), stopped);
    RevolutionSolid shown;
    FillSolid(shown, stopped, SceneMapping(Work.SceneScale));
    EXPECT_EQ(Main->SceneObjects().SimulationSolid.Nodes, shown.Nodes);
}

TEST_F(SimulationPanelTest, ARapidOnlyToolpathOverTheBarPlaysToDoneWithTheMaterialUnchanged) {
    TPctList path;
    path.RejectDuplicates = false;
    for (TPoint p : {TPoint{90, 30}, TPoint{40, 23}, TPoint{-5, 23}, TPoint{90, 30}})
        path.AddMove({.X = p.X, .Y = p.Y, .Feed = 6000, .Kind = MoveKind::Rapid});
    Made("rapid", path);
    Click("s1");
    Click("s2");
    Panel->FrameStep(0.3);
    Panel->FrameStep(path.Last().TotalTime + 1);
    EXPECT_EQ(Messages.Messages, std::vector<std::string>{"Done"});
    EXPECT_EQ(Panel->Playback().Saved.Profile(), Bar());
}

TEST_F(SimulationPanelTest, ARunWithoutAUsableKnifeSaysWhyAndStartsNothing) {
    TPctList path;
    path.AddPoint(90, 20, 200);
    path.AddPoint(10, 20, 200);
    Made("no knife", path, false);
    Click("s1");
    auto nodes = Main->SceneObjects().SimulationSolid.Nodes;
    Click("s2");
    EXPECT_EQ(Messages.Messages, std::vector<std::string>{NoKnifeOutlineText(ToolSide::Left)});
    EXPECT_FALSE(Panel->Playback().Running());
    EXPECT_FALSE(Main->View()->Clock.Enabled);
    EXPECT_FALSE(Main->SceneObjects().ToolSolid.Visible);
    EXPECT_EQ(Main->SceneObjects().SimulationSolid.Nodes, nodes);
}
