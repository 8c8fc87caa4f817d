#include "geometry/model_files.h"
#include "geometry/number_text.h"
#include "geometry/shaft.h"
#include "platform/message_sink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

using namespace torvex;

namespace {

const std::vector<std::string> Collared = {
    "line 0/0/0/10/",    "line 0/10/30/10/",  "line 30/10/30/20/", "line 30/20/50/20/",
    "line 50/12/50/20/", "line 50/12/80/12/", "line 80/12/80/0/"};

const std::vector<std::string> Chamfered = {"line 0/0/0/9/",     "line 0/9/1/10/",
                                            "line 1/10/50/10/",  "line 50/10/50/15/",
                                            "line 50/15/80/15/", "line 80/15/80/0/"};

TShaft Loaded(const std::vector<std::string>& lines) {
    TShaft shaft;
    shaft.LoadFromLines(lines);
    shaft.BuildSideOutlines(EntryCorner::Drop, FlatTop::Drop, FlatTop::Drop);
    return shaft;
}

std::vector<std::string> Texts(const TModel& model) {
    std::vector<std::string> texts;
    for (const TObj& e : model.Elements)
        texts.push_back(ElementText(e));
    return texts;
}

using Lines = std::vector<std::string>;

} // namespace

TEST(TShaft, CollaredShaftMeasuresAndOutlines) {
    TShaft shaft = Loaded(Collared);
    EXPECT_EQ(shaft.Length, 80);
    EXPECT_EQ(shaft.MaxRadius, 20);
    EXPECT_EQ(Texts(shaft.LeftOutline), (Lines{"line 0/10/30/10/", "line 30/10/30/20/"}));
    // The falling shoulder runs down the profile, from the collar to cylinder B.
    EXPECT_EQ(Texts(shaft.RightOutline), (Lines{"line 50/12/80/12/", "line 50/20/50/12/"}));
    shaft.BuildSideOutlines(EntryCorner::Drop, FlatTop::Keep, FlatTop::Keep);
    EXPECT_EQ(Texts(shaft.LeftOutline),
              (Lines{"line 0/10/30/10/", "line 30/10/30/20/", "line 30/20/50/20/"}));
    EXPECT_EQ(Texts(shaft.RightOutline),
              (Lines{"line 50/12/80/12/", "line 50/20/50/12/", "line 30/20/50/20/"}));
}

TEST(TShaft, ChamferedShaftEntryIsTrimmedUnlessKept) {
    TShaft shaft = Loaded(Chamfered);
    EXPECT_EQ(Texts(shaft.LeftOutline), (Lines{"line 0/10/50/10/", "line 50/10/50/15/"}));
    EXPECT_TRUE(shaft.RightOutline.Elements.empty()); // the shoulder's mid is below the cylinder
    shaft.BuildSideOutlines(EntryCorner::Keep, FlatTop::Drop, FlatTop::Drop);
    EXPECT_EQ(Texts(shaft.LeftOutline),
              (Lines{"line 0/9/1/10/", "line 1/10/50/10/", "line 50/10/50/15/"}));
    shaft.BuildSideOutlines(EntryCorner::Keep, FlatTop::Keep, FlatTop::Keep);
    EXPECT_EQ(shaft.LeftOutline.Elements.size(), 4u);
    ASSERT_EQ(shaft.RightOutline.Elements.size(), 0u);
}

TEST(TShaft, ArcEntryIsTrimmedToTheCircleEdge) {
    // A rounding of radius 4 at the left corner, a concave fillet of radius 2 at the right foot.
    TShaft shaft =
        Loaded({"line 0/0/0/8/", "arc 0/4/8/12/0/8/4/12/", "line 4/12/40/12/", "line 40/12/40/16/",
                "line 40/16/58/16/", "arc 56/16/60/20/58/16/60/18/", "line 60/18/60/0/"});
    ASSERT_FALSE(shaft.LeftOutline.Elements.empty());
    EXPECT_EQ(ElementText(shaft.LeftOutline.Elements[0]), "line 0/12/40/12/");
    shaft.BuildSideOutlines(EntryCorner::Keep, FlatTop::Drop, FlatTop::Drop);
    EXPECT_EQ(shaft.LeftOutline.Elements[0].Kind, "arc");
}

TEST(TShaft, AnArcAfterTheTrimmedEntryKeepsItsCircle) {
    // A chamfer straight into a fillet: the fillet cannot be stretched to where the chamfer began.
    TShaft shaft = Loaded({"line 0/0/0/8/", "line 0/8/1/9/", "arc -1/9/3/13/3/11/1/9/",
                           "line 3/11/3/14/", "line 3/14/40/14/", "line 40/14/40/0/"});
    ASSERT_FALSE(shaft.LeftOutline.Elements.empty());
    EXPECT_EQ(ElementText(shaft.LeftOutline.Elements[0]), "arc -1/9/3/13/3/11/1/9/");
}

TEST(TShaft, ReversedFileLoadsTheSameAndLinesRunLeftToRight) {
    Lines reversed(Chamfered.rbegin(), Chamfered.rend());
    for (std::string& line : reversed) {
        // Write every sloping or horizontal line right to left.
        TObj e;
        ParseText(e, line);
        if (e.P1.X != e.P2.X) {
            std::swap(e.P1, e.P2);
            line = ElementText(e);
        }
    }
    TShaft a = Loaded(Chamfered);
    TShaft b = Loaded(reversed);
    EXPECT_EQ(Texts(a), Texts(b));
    EXPECT_EQ(Texts(a.LeftOutline), Texts(b.LeftOutline));
    EXPECT_EQ(a.Points.Count(), b.Points.Count());
    for (const TObj& e : b.Elements) {
        if (e.IsLine() && e.P1.X != e.P2.X) {
            EXPECT_LT(e.P1.X, e.P2.X);
        }
    }
}

TEST(TShaft, WallsRunAlongTheProfileWhateverTheirFileDirection) {
    Lines flipped = {"line 0/10/0/0/",    "line 0/10/30/10/",  "line 30/20/30/10/",
                     "line 30/20/50/20/", "line 50/20/50/12/", "line 50/12/80/12/",
                     "line 80/0/80/12/"};
    TShaft shaft = Loaded(flipped);
    EXPECT_EQ(Texts(shaft),
              (Lines{"line 0/0/0/10/", "line 0/10/30/10/", "line 30/10/30/20/", "line 30/20/50/20/",
                     "line 50/20/50/12/", "line 50/12/80/12/", "line 80/12/80/0/"}));
}

TEST(TShaft, LinesDrawnInPiecesAreMerged) {
    TShaft shaft =
        Loaded({"line 0/0/0/4/", "line 0/4/0/10/", "line 0/10/12/10/", "line 12/10/30/10/",
                "line 30/10/30/15/", "line 30/15/30/20/", "line 30/20/50/20/", "line 50/20/50/12/",
                "line 50/12/80/12/", "line 80/12/80/5/", "line 80/5/80/0/", "line 20/10/25/10/"});
    EXPECT_EQ(Texts(shaft), Texts(Loaded(Collared)));
    EXPECT_EQ(Texts(shaft.LeftOutline), (Lines{"line 0/10/30/10/", "line 30/10/30/20/"}));
}

TEST(TShaft, SeparateCollinearPiecesWithAGapStayApart) {
    TShaft shaft =
        Loaded({"line 0/0/0/10/", "line 0/10/10/10/", "line 12/10/20/10/", "line 20/10/20/0/"});
    EXPECT_EQ(shaft.Elements.size(), 4u);
}

TEST(TShaft, BlankLinesDoNotShiftTheOutlines) {
    Lines withBlanks = Collared;
    withBlanks.insert(withBlanks.begin() + 2, "");
    withBlanks.push_back("  ");
    TShaft shaft = Loaded(withBlanks);
    EXPECT_EQ(shaft.Elements.size(), 7u);
    EXPECT_EQ(Texts(shaft.LeftOutline), Texts(Loaded(Collared).LeftOutline));
}

TEST(TShaft, FewerThanThreeElementsGiveNoOutlines) {
    TShaft shaft = Loaded({"line 0/0/0/10/", "line 0/10/30/10/"});
    EXPECT_TRUE(shaft.LeftOutline.Elements.empty());
    EXPECT_TRUE(shaft.RightOutline.Elements.empty());
}

TEST(TShaft, EmptyShaftMeasuresAreTheSeeds) {
    TShaft shaft;
    EXPECT_EQ(shaft.ComputeLength(), -2'000'000'000);
    EXPECT_EQ(shaft.ComputeMaxRadius(), -1'000'000'000);
}

TEST(TShaft, NormaliseIsAStableSortOnMidX) {
    std::mt19937 random(7);
    for (int round = 0; round < 100; ++round) {
        TShaft shaft;
        for (int i = 0; i < 40; ++i) {
            // Vertical lines at a few x values with distinct heights: ties and no merging.
            double x = static_cast<double>(random() % 5);
            double y = i * 3;
            shaft.AddElementText("line " + FloatToText(x) + "/" + FloatToText(y) + "/" +
                                 FloatToText(x) + "/" + FloatToText(y + 1) + "/");
        }
        Tobjects expected = shaft.Elements;
        // Plain bubble passes, as a model with at most a few hundred elements would use.
        for (bool exchanged = true; exchanged;) {
            exchanged = false;
            for (size_t i = 0; i + 1 < expected.size(); ++i)
                if (expected[i].Mid.X > expected[i + 1].Mid.X) {
                    std::swap(expected[i], expected[i + 1]);
                    exchanged = true;
                }
        }
        shaft.Normalise();
        ASSERT_EQ(shaft.Elements.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i)
            ASSERT_EQ(shaft.Elements[i].Mid, expected[i].Mid) << round << " " << i;
    }
}

TEST(LoadPartAndStock, BothAreMeasuredAndAMissingCompanionIsReported) {
    auto folder = std::filesystem::temp_directory_path() / "torvex_shaft_test";
    std::filesystem::create_directories(folder);
    {
        std::ofstream part(folder / "p.mdl", std::ios::binary);
        for (const std::string& line : Collared)
            part << line << "\r\n";
        std::ofstream stock(folder / "p.mdls", std::ios::binary);
        stock << "line 0/0/0/22/\r\nline 0/22/80/22/\r\nline 80/22/80/0/\r\n";
    }
    RecordingMessageSink messages;
    TShaft part, stock;
    EXPECT_TRUE(LoadPartAndStock(folder / "p.mdl", part, stock, messages));
    EXPECT_EQ(stock.Length, 80);
    EXPECT_EQ(stock.MaxRadius, 22);
    EXPECT_EQ(part.MaxRadius, 20);
    EXPECT_TRUE(messages.Messages.empty());

    std::filesystem::remove(folder / "p.mdls");
    TShaft part2, stock2;
    EXPECT_FALSE(LoadPartAndStock(folder / "p.mdl", part2, stock2, messages));
    EXPECT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(part2.Length, 80);
    EXPECT_TRUE(stock2.Elements.empty());

    // A wall alone has nothing to turn, and no length to draw by.
    std::ofstream(folder / "wall.mdl") << "line 0/0/0/15/\n";
    std::ofstream(folder / "wall.mdls") << "line 0/0/0/16/\nline 0/16/10/16/\n";
    TShaft wall, wallStock;
    RecordingMessageSink refused;
    EXPECT_FALSE(LoadPartAndStock(folder / "wall.mdl", wall, wallStock, refused));
    EXPECT_EQ(refused.Messages,
              std::vector<std::string>{std::string("wall.mdl, ") + ProfileWithoutLengthText + "."});
    std::filesystem::remove_all(folder);
}
