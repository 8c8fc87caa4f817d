#include "cli/commands.h"
#include "drawing/drawing_piece.h"
#include "geometry/model.h"
#include "platform/message_sink.h"
#include "platform/text_file.h"
#include "tests/support/dxf_text.h"
#include "tests/support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

using namespace torvex;
using ::testing::HasSubstr;

namespace {

void ExpectNear(const TPoint& a, const TPoint& b, const std::string& record) {
    EXPECT_NEAR(a.X, b.X, 0.001) << record;
    EXPECT_NEAR(a.Y, b.Y, 0.001) << record;
}

} // namespace

TEST(ImportDxfCommand, TheSampleDrawingGivesTheSamplePartAndInfoReadsIt) {
    TempFolder folder("import-dxf");
    const std::string model = (folder.Path / "production.mdl").string();
    std::ostringstream out, err;
    ASSERT_EQ(RunImportDxf({std::string(TORVEX_DATA) + "/Drawings/production.dxf", "-o", model},
                           out, err),
              ExitOk);
    EXPECT_THAT(out.str(), HasSubstr("25 elements, length 180, largest radius 24"));
    EXPECT_THAT(out.str(), HasSubstr("3 DIMENSION"));

    RecordingMessageSink messages;
    TModel imported, sample;
    ASSERT_TRUE(imported.LoadFromFile(model, messages));
    ASSERT_TRUE(sample.LoadFromFile(std::string(TORVEX_DATA) + "/Models/production.mdl", messages));
    ASSERT_EQ(imported.Elements.size(), sample.Elements.size());
    for (size_t k = 0; k < sample.Elements.size(); ++k) {
        const TObj& a = imported.Elements[k];
        const TObj& b = sample.Elements[k];
        std::string record = ElementText(a);
        EXPECT_EQ(a.Kind, b.Kind) << record;
        ExpectNear(a.P1, b.P1, record);
        ExpectNear(a.P2, b.P2, record);
        if (b.IsArc()) {
            ExpectNear(a.P3, b.P3, record);
            ExpectNear(a.P4, b.P4, record);
        }
    }

    std::ostringstream info;
    ASSERT_EQ(RunInfo({model}, info, err), ExitOk) << err.str();
    EXPECT_THAT(info.str(), HasSubstr("Length: 180\nMaxRadius: 24\n"));
    EXPECT_THAT(info.str(), HasSubstr("StockLength: 182\nStockMaxRadius: 25\n"));
}

TEST(ImportDxfCommand, OptionsReachTheImportAndARefusalWritesNothing) {
    TempFolder folder("import-dxf-options");
    // An inch drawing about the axis y = 1, on two layers: a stepped pin and a frame.
    torvex::testing::DxfText text("AC1015");
    text.Units(1)
        .Polyline({{0, 1, 0}, {0, 1.5, 0}, {1, 1.5, 0}, {1, 1.25, 0}, {2, 1.25, 0}, {2, 1, 0}},
                  false, "PIN")
        .Line(-1, 3, 3, 3, "FRAME");
    text.Save(folder.Path / "pin.dxf");
    const std::string model = (folder.Path / "pin.mdl").string();
    const std::string drawing = (folder.Path / "pin.dxf").string();
    std::ostringstream out, err;

    EXPECT_THROW(RunImportDxf({drawing, "-o", model, "--axis-y", "1"}, out, err), DrawingError);
    EXPECT_FALSE(std::filesystem::exists(model));
    EXPECT_THROW(RunImportDxf({drawing, "--axis-y", "1"}, out, err), UsageError);

    ASSERT_EQ(RunImportDxf({drawing, "-o", model, "--axis-y", "1", "--layer", "PIN",
                            "--stock-allowance", "0", "--face-allowance", "0.5"},
                           out, err),
              ExitOk);
    EXPECT_EQ(ReadTextLines(model)[1], "line 0/12.7/25.4/12.7/");
    EXPECT_EQ(
        ReadTextLines(model + "s"),
        (std::vector<std::string>{"line 0/0/0/13/", "line 0/13/51.3/13/", "line 51.3/13/51.3/0/"}));
    EXPECT_THAT(out.str(), HasSubstr("1 on other layers"));
}
