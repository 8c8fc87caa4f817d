#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace torvex {

// Reads a text file whole into lines, accepting CR LF and LF line ends. Throws FileError naming
// the file when it cannot be opened or read.
std::vector<std::string> ReadTextLines(const std::filesystem::path& fileName);

// A text file read whole, its lines pointing into it (for files of many thousand lines, whose
// lines need not each be kept apart). Throws FileError as ReadTextLines does.
class TextFileLines {
public:
    explicit TextFileLines(const std::filesystem::path& fileName);
    TextFileLines(const TextFileLines&) = delete;
    TextFileLines& operator=(const TextFileLines&) = delete;

    const std::vector<std::string_view>& Lines() const { return Views; }

private:
    std::string Text;
    std::vector<std::string_view> Views;
};

// Writes lines, each ended by CR LF, to a temporary file beside the target and renames it over
// the target, so that a failure never leaves half a file. Throws FileError naming the file.
void WriteTextLinesAtomically(const std::filesystem::path& fileName,
                              const std::vector<std::string>& lines);

} // namespace torvex
