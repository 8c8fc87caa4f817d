#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace torvex {

// Reads a text file whole into lines, accepting CR LF and LF line ends. Throws FileError naming
// the file when it cannot be opened or read.
std::vector<std::string> ReadTextLines(const std::filesystem::path& fileName);

// A text file read line by line through a buffer of fixed size, for files of many thousand lines:
// the file is never held whole. Lines end as ReadTextLines ends them. Throws FileError as
// ReadTextLines does, when the file is opened and when a read fails.
class TextLineReader {
public:
    explicit TextLineReader(const std::filesystem::path& fileName);
    TextLineReader(const TextLineReader&) = delete;
    TextLineReader& operator=(const TextLineReader&) = delete;

    // The next line, valid until the next call; false after the last line.
    bool Next(std::string_view& line);
    // How many lines the file has if the rest are as long as those of its first buffer: exact for
    // a file that fits in it. Read before the first line.
    size_t EstimatedLineCount();

private:
    // Moves the unread rest to the buffer's start and reads more after it.
    void Refill();

    std::filesystem::path FileName;
    std::ifstream File;
    std::uintmax_t FileSize = 0;
    std::vector<char> Buffer;
    size_t Start = 0; // the first unread character
    size_t End = 0;   // one past the last character read
    bool AtEnd = false;
};

// Writes lines, each ended by CR LF, to a temporary file beside the target and renames it over
// the target, so that a failure never leaves half a file. Throws FileError naming the file.
void WriteTextLinesAtomically(const std::filesystem::path& fileName,
                              const std::vector<std::string>& lines);

} // namespace torvex
