#include "drawing/imported_model.h"

#include "drawing/drawing_piece.h"
#include "geometry/model_files.h"
#include "geometry/shaft.h"
#include "platform/message_sink.h"
#include "platform/text_file.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace torvex;

namespace {

Tobjects Profile(const std::vector<std::string>& records) {
    TModel model;
    model.LoadFromLines(records);
    return model.Elements;
}

// A shaft of radius 8 with a dome of radius 2 on top (its top at 10.2) and a fillet below.
const std::vector<std::string> DomedShaft{"line 0/0/0/8/",
                                          "line 0/8/10/8/",
                                          "arc 12/6.2/16/10.2/10/8/14/8/",
                                          "line 14/8/20/8/",
                                          "arc 19.5/7.5/20.5/8.5/20.5/8/20/8/",
                                          "line 20.5/8/20.5/0/"};

} // namespace

TEST(ImportedModel, StockBarCoversTheArcsTopAndRoundsUpToHalfMillimetres) {
    Tobjects profile = Profile(DomedShaft);
    EXPECT_DOUBLE_EQ(ProfileMaxRadius(profile), 10.2);
    EXPECT_DOUBLE_EQ(ProfileLength(profile), 20.5);
    // 10.2 + 1 = 11.2 -> 11.5; 10.2 + 0.3 = 10.5 stays.
    EXPECT_EQ(StockBar(profile, {}), (std::vector<TPoint>{{0, 11.5}, {22.5, 11.5}}));
    EXPECT_EQ(StockBar(profile, {0.3, 0}), (std::vector<TPoint>{{0, 10.5}, {20.5, 10.5}}));
    EXPECT_THROW(StockBar(profile, {-1, 2}), DrawingError);
    EXPECT_THROW(StockBar(profile, {1, -0.5}), DrawingError);
    // Nothing reaches farther than 10 m: the allowances, nor the bar they make.
    EXPECT_THROW(StockBar(profile, {1e12, 2}), DrawingError);
    EXPECT_THROW(StockBar(profile, {1, 9990}), DrawingError);
}

TEST(ImportedModel, WrittenFilesLoadBackAsThePartAndItsStock) {
    TempFolder folder("imported-model");
    std::filesystem::path model = folder.Path / "domed.mdl";
    Tobjects profile = Profile(DomedShaft);
    WriteModelFiles(model, profile, StockBar(profile, {}));

    std::ifstream file(model, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str().substr(0, 31), "line 0/0/0/8/\r\nline 0/8/10/8/\r\n");
    EXPECT_EQ(ReadTextLines(model), DomedShaft);
    TShaft part, stock;
    RecordingMessageSink messages;
    ASSERT_TRUE(LoadPartAndStock(model, part, stock, messages));
    EXPECT_DOUBLE_EQ(part.Length, 20.5);
    EXPECT_DOUBLE_EQ(stock.Length, 22.5);
    EXPECT_DOUBLE_EQ(stock.MaxRadius, 11.5);
}
