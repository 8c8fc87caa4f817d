#pragma once

#include "app/main_window.h"
#include "app/program_windows.h"
#include "platform/message_sink.h"
#include "platform/qt/program_settings.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_folder.h"
#include "workspace/workspace.h"

#include <QAbstractButton>
#include <QAction>
#include <QTest>
#include <QTreeWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace torvex::testing {

namespace fs = std::filesystem;

inline const fs::path Models = fs::path(TORVEX_DATA) / "Models";

// Every window of the program on a fresh workspace, the main window shown, dialogs and messages
// answered and recorded.
class ProgramWindowsTest : public ::testing::Test {
protected:
    // The program starts in a copy of the sample workspace, its tool library included, wherever
    // the current directory is: loading a model goes back to the start-up directory.
    void SetUp() override {
        // Every test starts as a first run: no field, toolbar or NC setting kept from another.
        StoredSettings().clear();
        fs::copy(TORVEX_DATA, Sample.Path, fs::copy_options::recursive);
        Before = fs::current_path();
        Work.StartupDirectory = Sample.Path;
        Windows = CreateProgramWindows(Work, Dialogs, Messages);
        Main = Windows.Main.get();
        Main->resize(1280, 800);
        Main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Main));
    }
    void TearDown() override {
        Windows.Main.reset();
        fs::current_path(Before);
    }

    template <typename T> T* Control(const char* name) const {
        T* control = Main->findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    void Trigger(const char* action) { Control<QAction>(action)->trigger(); }
    void Click(const char* button) {
        QTest::mouseClick(Control<QAbstractButton>(button), Qt::LeftButton);
    }

    void Load(const fs::path& model) {
        Dialogs.Answers.push_back(model);
        Click("b0");
    }
    void ClickNode(QTreeWidgetItem* node, Qt::MouseButton button = Qt::LeftButton) {
        QRect place = Main->Tree()->visualItemRect(node);
        ASSERT_TRUE(place.isValid()) << node->text(0).toStdString();
        QTest::mouseClick(Main->Tree()->viewport(), button, {}, place.center());
    }
    // A toolpath made directly in the workspace, drawn and given its branch as the operation
    // windows do.
    TToolpath& AddToolpath(const std::string& name, const std::vector<TPoint>& points,
                           bool draw = true) {
        auto toolpath = std::make_unique<TToolpath>();
        toolpath->Name = name;
        for (const TPoint& p : points)
            toolpath->PathPoints.AddPoint(p.X, p.Y, 200);
        Work.Toolpaths.push_back(std::move(toolpath));
        if (draw)
            Main->DrawToolpath(*Work.Toolpaths.back());
        Main->AddToolpathNode(
            *Work.Toolpaths.back(),
            {name, {"T1 Tip : CNMG", "Support : PCLNR"}, {"SafeZ : 2", "Offset : 1,5"}});
        return *Work.Toolpaths.back();
    }
    QTreeWidgetItem* ToolpathNode(int index) const { return Main->RootNode()->child(index); }
    bool Enabled(const char* name) const { return Control<QWidget>(name)->isEnabled(); }
    std::vector<SolidNode> Mapped(const std::vector<TPoint>& points) const {
        std::vector<SolidNode> nodes;
        for (const TPoint& p : points)
            nodes.push_back({p.Y * 10 / Work.SceneScale, p.X * 10 / Work.SceneScale - 5});
        return nodes;
    }
    std::vector<SolidNode> Mapped(const TPctList& points) const { return Mapped(XYOf(points)); }
    fs::path Scratch(const std::string& name) {
        fs::path folder = fs::temp_directory_path() / "torvex-main-window-tests";
        fs::create_directories(folder);
        return folder / name;
    }

    TempFolder Sample{"program-windows"};
    fs::path Before;
    Workspace Work;
    ScriptedDialogs Dialogs;
    RecordingMessageSink Messages;
    ProgramWindows Windows;
    MainWindow* Main = nullptr;
};

} // namespace torvex::testing
