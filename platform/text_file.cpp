#include "platform/text_file.h"

#include "platform/errors.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

namespace torvex {

std::vector<std::string> ReadTextLines(const std::filesystem::path& fileName) {
    TextLineReader file(fileName);
    std::vector<std::string> lines;
    lines.reserve(file.EstimatedLineCount());
    std::string_view line;
    while (file.Next(line))
        lines.emplace_back(line);
    return lines;
}

TextLineReader::TextLineReader(const std::filesystem::path& fileName)
    : FileName(fileName), File(fileName, std::ios::binary) {
    if (!File)
        throw FileError("Cannot open file \"" + fileName.string() + "\"");
    std::error_code error;
    if (std::filesystem::is_regular_file(fileName, error)) {
        std::uintmax_t size = std::filesystem::file_size(fileName, error);
        FileSize = error ? 0 : size;
    }
    // A small file is read in one go, with room to see its end.
    constexpr size_t largest = 64 * 1024;
    Buffer.resize(FileSize > 0 && FileSize < largest ? static_cast<size_t>(FileSize) + 1 : largest);
}

void TextLineReader::Refill() {
    if (Start > 0) {
        std::copy(Buffer.begin() + static_cast<std::ptrdiff_t>(Start),
                  Buffer.begin() + static_cast<std::ptrdiff_t>(End), Buffer.begin());
        End -= Start;
        Start = 0;
    }
    if (End == Buffer.size())
        Buffer.resize(2 * Buffer.size()); // a line longer than the buffer
    File.read(Buffer.data() + End, static_cast<std::streamsize>(Buffer.size() - End));
    if (File.bad() || (File.fail() && !File.eof()))
        throw FileError("Cannot read file \"" + FileName.string() + "\"");
    End += static_cast<size_t>(File.gcount());
    AtEnd = File.eof();
}

size_t TextLineReader::EstimatedLineCount() {
    if (End == 0 && !AtEnd)
        Refill();
    auto read =
        static_cast<size_t>(std::count(Buffer.begin() + static_cast<std::ptrdiff_t>(Start),
                                       Buffer.begin() + static_cast<std::ptrdiff_t>(End), '\n'));
    if (AtEnd || End == Start)
        return read + (End > Start && Buffer[End - 1] != '\n' ? 1 : 0);
    double perByte = static_cast<double>(read) / static_cast<double>(End - Start);
    return static_cast<size_t>(
               perByte * static_cast<double>(std::max<std::uintmax_t>(FileSize, End - Start))) +
           1;
}

bool TextLineReader::Next(std::string_view& line) {
    size_t searched = Start;
    while (true) {
        const void* found = std::memchr(Buffer.data() + searched, '\n', End - searched);
        if (found != nullptr || AtEnd) {
            if (found == nullptr && Start == End)
                return false;
            size_t end =
                found ? static_cast<size_t>(static_cast<const char*>(found) - Buffer.data()) : End;
            size_t next = found ? end + 1 : End;
            if (end > Start && Buffer[end - 1] == '\r')
                --end;
            line = std::string_view(Buffer.data() + Start, end - Start);
            Start = next;
            return true;
        }
        size_t unread = End - Start;
        Refill();
        searched = Start + unread;
    }
}

void WriteTextLinesAtomically(const std::filesystem::path& fileName,
                              const std::vector<std::string>& lines) {
    std::filesystem::path temporary = fileName;
    temporary += ".tmp" + std::to_string(std::random_device{}());
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file)
            throw FileError("Cannot create file \"" + fileName.string() + "\"");
        for (const std::string& line : lines)
            file << line << "\r\n";
        file.flush();
        if (!file) {
            file.close();
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            throw FileError("Cannot write file \"" + fileName.string() + "\"");
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, fileName, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw FileError("Cannot write file \"" + fileName.string() + "\": " + error.message());
    }
}

} // namespace torvex
