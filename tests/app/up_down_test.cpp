#include "app/up_down.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <utility>

using namespace torvex;

TEST(UpDown, StepsWithinItsRangeAndWritesTheEdit) {
    QLineEdit edit("1");
    UpDown arrows(&edit, 0, 100, 1, nullptr);
    QSignalSpy clicked(&arrows, &UpDown::Changed);
    edit.setText("57"); // typing alone does not move the position
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

TEST(UpDown, ATypedValueCountsOnEnterAndTheKeysStepIt) {
    QWidget window;
    auto* edit = new QLineEdit("1", &window);
    auto* other = new QLineEdit(&window);
    UpDown arrows(edit, 0, 100, 1, &window);
    QSignalSpy changed(&arrows, &UpDown::Changed);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "40");
    EXPECT_EQ(arrows.Position(), 1);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(arrows.Position(), 40);
    EXPECT_GE(changed.count(), 1);
    for (auto [key, position] : {std::pair{Qt::Key_Up, 41}, std::pair{Qt::Key_PageUp, 51},
                                 std::pair{Qt::Key_PageDown, 41}, std::pair{Qt::Key_Down, 40}}) {
        QTest::keyClick(edit, key);
        EXPECT_EQ(arrows.Position(), position);
        EXPECT_EQ(edit->text(), QString::number(position));
    }
    // Beyond the range on leaving the field: kept in it; no number: the position comes back.
    edit->selectAll();
    QTest::keyClicks(edit, "250");
    other->setFocus();
    EXPECT_EQ(arrows.Position(), 100);
    EXPECT_EQ(edit->text(), "100");
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "fast");
    QTest::keyClick(edit, Qt::Key_Enter);
    EXPECT_EQ(arrows.Position(), 100);
    EXPECT_EQ(edit->text(), "100");
}
