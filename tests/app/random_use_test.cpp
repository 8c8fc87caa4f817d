// Random but plausible use of the program's windows: every action a user could take, in a random
// order with random field texts, checked after each step against the rules that must always hold.
// Run under AddressSanitizer and UndefinedBehaviorSanitizer, it finds what a chain of actions
// breaks.

#include "app/simulation_panel.h"
#include "app/toolpath_tree.h"
#include "operations/qt/nc_program_window.h"
#include "operations/qt/operation_windows.h"
#include "tests/app/program_windows_fixture.h"
#include "toollibrary/qt/library_list.h"
#include "toollibrary/qt/tool_library_window.h"
#include "toollibrary/qt/tool_slot_widget.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QTreeWidget>

#include <algorithm>
#include <optional>
#include <random>

using namespace torvex;
using namespace torvex::testing;

namespace {

class RandomUseTest : public ProgramWindowsTest {
protected:
    template <class T> T* Pick(const std::vector<T>& choices) {
        return const_cast<T*>(&choices[Number(choices.size())]);
    }
    size_t Number(size_t count) {
        return std::uniform_int_distribution<size_t>(0, count - 1)(Random);
    }

    void TypeRandomFields(QWidget* window) {
        static const std::vector<std::string> texts = {"5",  "2", "0.5", "1",   "100", "1200", "0",
                                                       "-1", "",  "x",   "1e9", "0,5", "20000"};
        for (QLineEdit* edit : window->findChildren<QLineEdit*>())
            if (edit->objectName() != "namee")
                edit->setText(QString::fromStdString(*Pick(texts)));
    }

    void MountRandomTool(OperationWindow* window, std::optional<size_t> side = std::nullopt) {
        int number = static_cast<int>(Number(20)) + 1;
        LibraryList& knives = Windows.Library->KnifeList();
        knives.selectRow(static_cast<int>(Number(static_cast<size_t>(knives.rowCount()))));
        Windows.Library->DropOnSlot(number, 0);
        QMimeData data;
        data.setData(ToolSlotMime, QByteArray::fromStdString(SlotDragText(
                                       {number, Windows.Library->Slot(number).State()})));
        emit(side.value_or(Number(2)) == 0 ? window->LeftSlot() : window->RightSlot())
            ->Dropped(&data);
    }

    // A command of the window: a queue button, "Clear", "Preview", "Add toolpath", "Generate NC
    // code", "Save to file", a check box (not the caption's button, which would close it).
    void PressRandomButton(QWidget* window) {
        std::vector<QAbstractButton*> buttons;
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
            if (button->objectName().startsWith("FlatSpeedButton") ||
                button->objectName().startsWith("FlatButton") ||
                button->objectName() == "Button1" || button->objectName().startsWith("c"))
                buttons.push_back(button);
        QTest::mouseClick(*Pick(buttons), Qt::LeftButton);
    }

    // A queue button or two, then "Add toolpath".
    void QueueAndAdd(QWidget* window) {
        std::vector<QAbstractButton*> queue;
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
            if (button->objectName().startsWith("FlatSpeedButton") &&
                button->objectName() != "FlatSpeedButton1" &&
                button->objectName() != "FlatSpeedButton6")
                queue.push_back(button);
        for (size_t k = Number(2); k < 2; ++k)
            QTest::mouseClick(*Pick(queue), Qt::LeftButton);
        QTest::mouseClick(window->findChild<QAbstractButton*>("Button1"), Qt::LeftButton);
    }

    void ClickRandomNode() {
        std::vector<QTreeWidgetItem*> nodes = NodesInOrder(Main->Tree());
        QTreeWidgetItem* node = *Pick(nodes);
        for (QTreeWidgetItem* up = node->parent(); up != nullptr; up = up->parent())
            up->setExpanded(true);
        Main->Tree()->scrollToItem(node);
        ClickNode(node);
    }

    void RunTheSimulation() {
        auto* panel = Main->findChild<SimulationPanel*>("SimulationPanel");
        for (double t = 0; t < 5; t += 0.7)
            panel->FrameStep(t * 50);
    }

    // The tree's toolpaths are the job's, in order, and the selection is one of them or none.
    void CheckTheRules() {
        ASSERT_EQ(static_cast<size_t>(Main->RootNode()->childCount()), Work.ToolpathCount());
        for (int k = 0; k < Main->RootNode()->childCount(); ++k)
            ASSERT_EQ(ToolpathOf(Main->RootNode()->child(k)),
                      Work.Toolpaths[static_cast<size_t>(k)].get());
        ASSERT_TRUE(
            Work.SelectedToolpath == nullptr ||
            std::any_of(Work.Toolpaths.begin(), Work.Toolpaths.end(),
                        [this](const auto& t) { return t.get() == Work.SelectedToolpath; }));
    }

    std::mt19937 Random;
};

} // namespace

TEST_F(RandomUseTest, AThousandActionsBreakNothing) {
    const std::vector<fs::path> models = {Models / "collared.mdl", Models / "arcs.mdl",
                                          Models / "production.mdl", Models / "taper.mdl"};
    size_t most = 0;
    for (unsigned seed : {1u, 2u}) {
        Random.seed(seed);
        Load(models.front());
        for (QWidget* window :
             {static_cast<QWidget*>(Windows.Roughing), static_cast<QWidget*>(Windows.Finishing)})
            for (QLineEdit* edit : window->findChildren<QLineEdit*>())
                if (edit->objectName() != "namee")
                    edit->setText("2");
        for (OperationWindow* window : {static_cast<OperationWindow*>(Windows.Roughing),
                                        static_cast<OperationWindow*>(Windows.Finishing)})
            for (size_t side : {0u, 1u})
                MountRandomTool(window, side);
        for (int step = 0; step < 500; ++step) {
            Messages.Answer = Number(2) == 0;
            switch (Number(12)) {
            case 0:
                if (Number(10) == 0)
                    Load(*Pick(models));
                break;
            case 1:
                MountRandomTool(Number(2) == 0 ? static_cast<OperationWindow*>(Windows.Roughing)
                                               : Windows.Finishing);
                break;
            case 2:
                TypeRandomFields(Number(2) == 0 ? static_cast<QWidget*>(Windows.Roughing)
                                                : Windows.Finishing);
                break;
            case 3:
                PressRandomButton(Number(2) == 0 ? static_cast<QWidget*>(Windows.Roughing)
                                                 : Windows.Finishing);
                break;
            case 4:
                QueueAndAdd(Number(2) == 0 ? static_cast<QWidget*>(Windows.Roughing)
                                           : Windows.Finishing);
                break;
            case 5:
            case 6:
                ClickRandomNode();
                break;
            case 7:
                Control<QComboBox>("Controller")->setCurrentIndex(static_cast<int>(Number(3)));
                Control<QComboBox>("ToolChange")->setCurrentIndex(static_cast<int>(Number(3)));
                TypeRandomFields(Windows.NcProgram);
                break;
            case 8:
                Dialogs.SaveAnswers.push_back(Scratch("random.nc"));
                PressRandomButton(Windows.NcProgram);
                break;
            case 9:
                if (Enabled("s1"))
                    Click("s1");
                if (Enabled("s2"))
                    Click("s2");
                RunTheSimulation();
                break;
            case 10:
                if (Enabled("t4") && Number(3) == 0)
                    Click("t4");
                break;
            case 11:
                if (Number(10) == 0) {
                    Dialogs.Answers.push_back(fs::path(TORVEX_DATA) / "Jobs" / "production.tjob");
                    Click("OpenJob");
                }
                break;
            }
            ASSERT_NO_FATAL_FAILURE(CheckTheRules()) << "seed " << seed << ", step " << step;
            most = std::max(most, Work.ToolpathCount());
        }
    }
    EXPECT_GT(most, 3u) << "the actions built toolpaths";
}
