#include "app/import_drawing_dialog.h"
#include "tests/app/program_windows_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace torvex;
namespace fs = std::filesystem;

namespace {

class ImportDrawingTest : public torvex::testing::ProgramWindowsTest {
protected:
    // Presses "Import drawing..." with `drawing` as the file dialog's answer and lets `use` work
    // the import dialog once it is up.
    void Import(const fs::path& drawing, std::function<void(ImportDrawingDialog&)> use) {
        Dialogs.Answers.push_back(drawing);
        // The drawing is read off the window's thread first: the dialog is awaited.
        bool used = false;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, Main, [&] {
            auto* dialog = qobject_cast<ImportDrawingDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || used)
                return;
            used = true;
            poll.stop();
            use(*dialog);
        });
        poll.start();
        Click("b2");
        poll.stop();
        EXPECT_TRUE(used);
    }
};

} // namespace

TEST_F(ImportDrawingTest, ImportWritesTheModelAndLoadsItAsLoadModelDoes) {
    fs::copy_file(Sample.Path / "Drawings" / "production.dxf", Sample.Path / "shaft.dxf");
    Import(Sample.Path / "shaft.dxf", [](ImportDrawingDialog& dialog) {
        EXPECT_TRUE(dialog.StatusLabel()->text().contains("3 DIMENSION"));
        QTest::keyClicks(dialog.StockField(), "x");
        EXPECT_FALSE(dialog.ImportButton()->isEnabled());
        EXPECT_TRUE(dialog.StatusLabel()->text().contains("is not a valid floating point value"));
        dialog.StockField()->setText("2");
        dialog.LayerField()->setCurrentText("CENTER");
        EXPECT_TRUE(dialog.StatusLabel()->text().contains("No element lies above the axis"));
        dialog.LayerField()->setCurrentText("OUTLINE");
        ASSERT_TRUE(dialog.ImportButton()->isEnabled());
        EXPECT_TRUE(dialog.StatusLabel()->text().contains("stock 182 x 26 mm"));
        QTest::mouseClick(dialog.ImportButton(), Qt::LeftButton);
    });
    EXPECT_EQ(Dialogs.Asked.back().InitialDirectory, Sample.Path / "Drawings");
    EXPECT_TRUE(fs::exists(Sample.Path / "Models" / "shaft.mdls"));
    EXPECT_EQ(Work.ModelFile, Sample.Path / "Models" / "shaft.mdl");
    EXPECT_EQ(Work.Shaft.Elements.size(), 25u);
    EXPECT_DOUBLE_EQ(Work.StockShaft.MaxRadius, 26);
    EXPECT_EQ(Messages.Messages.back(), "Model 'SHAFT' loaded");

    // Importing over a model asks first; no keeps the model and loads nothing.
    Messages.Answer = false;
    auto before = fs::last_write_time(Sample.Path / "Models" / "production.mdl");
    Import(Sample.Path / "Drawings" / "production.dxf",
           [](ImportDrawingDialog& dialog) { dialog.accept(); });
    EXPECT_EQ(Messages.Questions.back(),
              "Models/production.mdl already exists. Overwrite it and its stock?");
    EXPECT_EQ(fs::last_write_time(Sample.Path / "Models" / "production.mdl"), before);
    EXPECT_EQ(Work.ModelFile, Sample.Path / "Models" / "shaft.mdl");
}
