#include "platform/errors.h"
#include "platform/text_file.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace torvex;

namespace {

std::filesystem::path Written(const TempFolder& folder, const std::string& name,
                              const std::string& text) {
    auto path = folder.Path / name;
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
    TempFolder folder("reader-long");
    auto path = Written(folder, "long.txt", text);

    EXPECT_EQ(ReadTextLines(path), expected);
    TextLineReader reader(path);
    size_t estimate = reader.EstimatedLineCount();
    EXPECT_GT(estimate, expected.size() / 2);
    EXPECT_LT(estimate, 2 * expected.size());
    std::string_view line;
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line, "");
}

TEST(TextLineReader, SmallFilesAreCountedExactlyAndFoldersRefused) {
    TempFolder folder("reader-small");
    auto path = Written(folder, "small.txt", "a\r\nb\n\nc");
    EXPECT_EQ(TextLineReader(path).EstimatedLineCount(), 4u);
    EXPECT_EQ(ReadTextLines(path), (std::vector<std::string>{"a", "b", "", "c"}));
    EXPECT_TRUE(ReadTextLines(Written(folder, "empty.txt", "")).empty());
    EXPECT_EQ(ReadTextLines(Written(folder, "end.txt", "a\n")), (std::vector<std::string>{"a"}));
    EXPECT_THROW(ReadTextLines(folder.Path), FileError);
    EXPECT_THROW(ReadTextLines(folder.Path / "none.txt"), FileError);
}
