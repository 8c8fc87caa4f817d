#include "toollibrary/tool_slot.h"

#include "platform/errors.h"
#include "platform/message_sink.h"
#include "tests/support/recording_canvas.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace torvex;
using ::testing::ElementsAre;
using Picture = RecordingCanvas::Picture;

namespace {

struct Drawn {
    RecordingCanvas Canvas;
    RecordingMessageSink Messages;
};

void Draw(Drawn& drawn, const ToolSlotState& slot, SlotDesign design = SlotDesign::Combined) {
    PictureReport report(drawn.Messages);
    DrawSlot(drawn.Canvas, slot, design, "pictures", report);
}

class MissingPictureCanvas : public RecordingCanvas {
public:
    void DrawPicture(int, int, const std::filesystem::path& fileName) override {
        throw FileError("Cannot open file \"" + fileName.string() + "\"");
    }
};

} // namespace

TEST(DrawSlot, NewSlotShowsTheEmptyPictureAndNoLetters) {
    Drawn drawn;
    Draw(drawn, {});
    EXPECT_THAT(drawn.Canvas.Pictures, ElementsAre(Picture{10, 0, "s3.bmp"}));
    EXPECT_TRUE(drawn.Canvas.Texts.empty());
}

TEST(DrawSlot, SupportNameRunsDownTheLeftEdge) {
    ToolSlotState slot;
    PutSupport(slot, "AB");
    Drawn drawn;
    Draw(drawn, slot);
    EXPECT_THAT(drawn.Canvas.Pictures, ElementsAre(Picture{10, 0, "s2.bmp"}));
    ASSERT_EQ(drawn.Canvas.Texts.size(), 2u);
    EXPECT_EQ(drawn.Canvas.Texts[0].Value, "A");
    EXPECT_EQ(drawn.Canvas.Texts[0].X, (7 - RecordingCanvas::CharWidth) / 2 + 2);
    EXPECT_EQ(drawn.Canvas.Texts[1].Y, 9);
    EXPECT_EQ(drawn.Canvas.Texts[1].Font, "smallfonts");
}

TEST(DrawSlot, LongKnifeNameShowsItsFirstNineLettersOnTheRight) {
    ToolSlotState slot;
    PutKnife(slot, "ABCDEFGHIJKL", "standard", {});
    Drawn drawn;
    Draw(drawn, slot);
    EXPECT_THAT(drawn.Canvas.Pictures, ElementsAre(Picture{10, 0, "s1.bmp"}));
    ASSERT_EQ(drawn.Canvas.Texts.size(), 9u);
    EXPECT_EQ(drawn.Canvas.Texts[8].Y, 72);
    EXPECT_EQ(drawn.Canvas.Texts[0].X, (7 - RecordingCanvas::CharWidth) / 2 + 30);
}

TEST(ToolSlot, DoubleClickHidesTheToolsButKeepsNamesAndLines) {
    ToolSlotState slot;
    PutKnife(slot, "K1", "profiled", {"K1", "line 0/0/1/1/"});
    PutSupport(slot, "S1");
    ClearPicture(slot);
    EXPECT_TRUE(KnifeLinesOf(slot).empty());
    PutSupport(slot, "S2");
    Drawn drawn;
    Draw(drawn, slot);
    EXPECT_THAT(drawn.Canvas.Pictures, ElementsAre(Picture{10, 0, "s2.bmp"}));
    EXPECT_THAT(drawn.Canvas.Labels(), ElementsAre("S", "2"));
    EXPECT_EQ(slot.Ncutit, "K1");
    EXPECT_EQ(slot.Data.size(), 2u);
}

TEST(ToolSlot, RemovedKnifeKeepsItsLinesButHandsOverNone) {
    ToolSlotState slot;
    PutKnife(slot, "K1", "standard", {"K1"});
    EXPECT_THAT(KnifeLinesOf(slot), ElementsAre("K1"));
    RemoveKnife(slot);
    EXPECT_FALSE(slot.cutit);
    EXPECT_EQ(slot.Ncutit, "");
    EXPECT_EQ(slot.ToolType, "standard");
    EXPECT_THAT(slot.Data, ElementsAre("K1"));
    EXPECT_TRUE(KnifeLinesOf(slot).empty());
}

TEST(ToolSlot, OperationSlotTakesEverythingButTheType) {
    ToolSlotState library, target;
    PutKnife(library, "K1", "profiled", {"a", "b"});
    PutSupport(library, "S1");
    target.ToolType = "standard";
    target.Data = {"old", "lines", "more"};
    TakeLibrarySlot(target, library);
    EXPECT_TRUE(target.coada && target.cutit);
    EXPECT_EQ(target.Ncoada, "S1");
    EXPECT_EQ(target.ToolType, "standard");
    EXPECT_THAT(target.Data, ElementsAre("a", "b"));
}

TEST(DrawSlot, BaseDesignDrawsSupportOverKnife) {
    ToolSlotState slot;
    PutSupport(slot, "any");
    Drawn drawn;
    Draw(drawn, slot, SlotDesign::Base);
    EXPECT_THAT(drawn.Canvas.Pictures,
                ElementsAre(Picture{10, 0, "coadaa.bmp"}, Picture{10, 40, "cutitw.bmp"}));
    PutKnife(slot, "K", "standard", {});
    PutSupport(slot, "S1");
    EXPECT_EQ(SlotPictures(slot, SlotDesign::Base)[0].File, std::string("coada.bmp"));
    EXPECT_EQ(SlotPictures(slot, SlotDesign::Base)[1].File, std::string("cutit.bmp"));
}

TEST(DrawSlot, MissingPictureLeavesAFrameAndIsReportedOnce) {
    MissingPictureCanvas canvas;
    RecordingMessageSink messages;
    PictureReport report(messages);
    ToolSlotState slot;
    DrawSlot(canvas, slot, SlotDesign::Base, "pictures", report);
    DrawSlot(canvas, slot, SlotDesign::Combined, "pictures", report);
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_THAT(messages.Messages[0], ::testing::HasSubstr("coadaw.bmp"));
    EXPECT_EQ(canvas.Rectangles.back(), (std::vector<int>{10, 0, 30, 80}));
}

TEST(ToolSlot, ADragCarriesTheSlotsNumberAndStateAndNothingElseReadsAsOne) {
    SlotDrag drag{12, {true, false, "SVJCR2020", "ShoulderL", "profiled", {"ShoulderL", "", "x"}}};
    std::optional<SlotDrag> read = ReadSlotDrag(SlotDragText(drag));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Number, 12);
    EXPECT_TRUE(read->Slot.coada);
    EXPECT_FALSE(read->Slot.cutit);
    EXPECT_EQ(read->Slot.Ncutit, "ShoulderL");
    EXPECT_EQ(read->Slot.ToolType, "profiled");
    EXPECT_EQ(read->Slot.Data, drag.Slot.Data);
    for (const char* other : {"", "7", "x\n1\n1\na\nb\nc", "99999\n1\n1\na\nb\nc"})
        EXPECT_FALSE(ReadSlotDrag(other)) << other;
}
