#include "geometry/model_files.h"

#include "platform/message_sink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace torvex;

TEST(StockFile, AProfileIsWrittenAsLineRecordsClosedToTheAxisAndLoadsBack) {
    // A machined profile that starts and ends above the axis, with a wall down, a wall up, a
    // repeated point and a decimal value.
    const std::vector<TPoint> profile = {{0, 20},  {30, 20}, {30, 20}, {30, 12.25},
                                         {50, 15}, {50, 18}, {70, 18}};
    EXPECT_EQ(
        StockFileLines(profile),
        (std::vector<std::string>{"line 0/0/0/20/", "line 0/20/30/20/", "line 30/20/30/12.25/",
                                  "line 30/12.25/50/15/", "line 50/15/50/18/", "line 50/18/70/18/",
                                  "line 70/18/70/0/"}));
    std::filesystem::path file = std::filesystem::temp_directory_path() / "torvex-stock-file.mdls";
    SaveStockFile(file, profile);
    std::ifstream in(file, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text.substr(0, 16), "line 0/0/0/20/\r\n");

    TShaft stock;
    RecordingMessageSink messages;
    ASSERT_TRUE(stock.LoadFromFile(file, messages));
    EXPECT_EQ(XYOf(stock.Points),
              (std::vector<TPoint>{
                  {0, 0}, {0, 20}, {30, 20}, {30, 12.25}, {50, 15}, {50, 18}, {70, 18}, {70, 0}}));
    EXPECT_EQ(stock.Length, 70);
    std::filesystem::remove(file);
}
