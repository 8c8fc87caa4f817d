#include "platform/text_file.h"

#include "platform/errors.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

namespace torvex {

namespace {

std::string ReadWhole(const std::filesystem::path& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        throw FileError("Cannot open file \"" + fileName.string() + "\"");
    std::string text;
    std::error_code error;
    // Sized from the file system for a plain file; anything else (a folder, a pipe) is read as a
    // stream, which fails where it must.
    if (std::filesystem::is_regular_file(fileName, error)) {
        std::uintmax_t size = std::filesystem::file_size(fileName, error);
        if (!error && size > 0) {
            text.resize(static_cast<size_t>(size));
            file.read(text.data(), static_cast<std::streamsize>(size));
            text.resize(static_cast<size_t>(file.gcount()));
            if (file.eof())
                file.clear(file.rdstate() & ~(std::ios::eofbit | std::ios::failbit));
        }
    } else {
        std::ostringstream content;
        content << file.rdbuf();
        text = std::move(content).str();
    }
    if (file.bad() || file.fail())
        throw FileError("Cannot read file \"" + fileName.string() + "\"");
    return text;
}

// The lines of the text, without their CR LF or LF ends.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos)
            end = text.size();
        if (end > start && text[end - 1] == '\r')
            --end;
        lines.push_back(text.substr(start, end - start));
        start = next;
    }
    return lines;
}

} // namespace

std::vector<std::string> ReadTextLines(const std::filesystem::path& fileName) {
    std::string text = ReadWhole(fileName);
    std::vector<std::string_view> views = SplitLines(text);
    return {views.begin(), views.end()};
}

TextFileLines::TextFileLines(const std::filesystem::path& fileName)
    : Text(ReadWhole(fileName)), Views(SplitLines(Text)) {}

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
