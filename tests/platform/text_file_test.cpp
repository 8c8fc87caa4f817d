#include "platform/errors.h"
#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace torvex;

namespace {

std::filesystem::path Written(const std::string& name, const std::string& text) {
    auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

} // namespace

TEST(TextLineReader, ReadsLinesAcrossItsBufferAsTheWholeTextSplits) {
    // Short lines over many buffers, a line far longer than one, CR LF and LF ends, blank lines
    // and a last line without its end.
    std::string text;
    std::vector<std::string> expected;
    for (int i = 0; i < 20000; ++i) {
        expected.push_back(i % 97 == 0 ? "" : "line " + std::to_string(i) + "/1.5/");
        text += expected.back() + (i % 3 == 0 ? "\r\n" : "\n");
    }
    expected.push_back(std::string(200000, 'x'));
    text += expected.back() + "\r\n";
    expected.push_back("last");
    text += "last";
    auto path = Written("torvex_reader_long.txt", text);

    EXPECT_EQ(ReadTextLines(path), expected);
    TextLineReader reader(path);
    size_t estimate = reader.EstimatedLineCount();
    EXPECT_GT(estimate, expected.size() / 2);
    EXPECT_LT(estimate, 2 * expected.size());
    std::string_view line;
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line, "");
    std::filesystem::remove(path);
}

TEST(TextLineReader, SmallFilesAreCountedExactlyAndFoldersRefused) {
    auto path = Written("torvex_reader_small.txt", "a\r\nb\n\nc");
    EXPECT_EQ(TextLineReader(path).EstimatedLineCount(), 4u);
    EXPECT_EQ(ReadTextLines(path), (std::vector<std::string>{"a", "b", "", "c"}));
    auto empty = Written("torvex_reader_empty.txt", "");
    EXPECT_TRUE(ReadTextLines(empty).empty());
    EXPECT_EQ(ReadTextLines(Written("torvex_reader_end.txt", "a\n")),
              (std::vector<std::string>{"a"}));
    EXPECT_THROW(ReadTextLines(std::filesystem::temp_directory_path()), FileError);
    EXPECT_THROW(ReadTextLines(std::filesystem::temp_directory_path() / "torvex-none.txt"),
                 FileError);
    std::filesystem::remove(path);
    std::filesystem::remove(empty);
    std::filesystem::remove(std::filesystem::temp_directory_path() / "torvex_reader_end.txt");
}
