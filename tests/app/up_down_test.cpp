#include "app/up_down.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace torvex;

TEST(UpDown, StepsWithinItsRangeAndWritesTheEdit) {
    QLineEdit edit("1");
    UpDown arrows(&edit, 0, 100, 1, nullptr);
    QSignalSpy clicked(&arrows, &UpDown::Clicked);
    edit.setText("57"); // typing does not move the position
    QTest::mouseClick(arrows.findChild<QToolButton*>("Up"), Qt::LeftButton);
    EXPECT_EQ(arrows.Position(), 2);
    EXPECT_EQ(edit.text(), "2");
    EXPECT_EQ(clicked.count(), 1);
    arrows.Step(500);
    EXPECT_EQ(edit.text(), "100");
    QTest::mouseClick(arrows.findChild<QToolButton*>("Down"), Qt::LeftButton);
    EXPECT_EQ(edit.text(), "99");
    arrows.Step(-500);
    EXPECT_EQ(arrows.Position(), 0);
}
