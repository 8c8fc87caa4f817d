#include "toollibrary/qt/tool_slot_widget.h"

#include "platform/message_sink.h"

#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace torvex;

namespace {

class SlotWidget : public ::testing::Test {
protected:
    SlotWidget() : Report(Messages), Slot({TORVEX_DATA, Report}, nullptr) {
        Slot.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&Slot));
    }
    RecordingMessageSink Messages;
    PictureReport Report;
    TTool Slot;
};

} // namespace

TEST_F(SlotWidget, ShownChangesRedrawAtOnceTheTypeAndSameValuesDoNot) {
    ToolSlotState state;
    PutKnife(state, "K1", "standard", {"K1"});
    int draws = Slot.DrawCount();
    Slot.SetState(state);
    EXPECT_EQ(Slot.DrawCount(), draws + 1);
    state.ToolType = "profiled";
    state.Data = {"other"};
    Slot.SetState(state);
    Slot.SetState(state);
    EXPECT_EQ(Slot.DrawCount(), draws + 1);
    EXPECT_EQ(Slot.State().ToolType, "profiled");
    EXPECT_TRUE(Messages.Messages.empty()) << Messages.Messages.front();
}

TEST_F(SlotWidget, DoubleClickHidesBothToolsAndKeepsTheKnifeLines) {
    ToolSlotState state;
    PutKnife(state, "K1", "standard", {"K1", "line 0/0/1/1/"});
    PutSupport(state, "S1");
    Slot.SetState(state);
    QSignalSpy clicked(&Slot, &TTool2::DoubleClicked);
    QTest::mouseDClick(&Slot, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_FALSE(Slot.State().coada || Slot.State().cutit);
    EXPECT_EQ(Slot.State().Ncutit, "K1");
    EXPECT_EQ(Slot.State().Data.size(), 2u);
}

TEST(SlotDragFormats, ListsAndSlotsAreTold) {
    QMimeData list, slot;
    list.setData(LibraryListMime, "0");
    slot.setData(ToolSlotMime, "7");
    EXPECT_TRUE(IsLibraryListDrag(list));
    EXPECT_FALSE(IsLibraryListDrag(slot));
    EXPECT_TRUE(IsLibrarySlotDrag(slot));
    EXPECT_FALSE(IsLibrarySlotDrag(list));
}
