#include "platform/text_file.h"

#include "platform/errors.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

namespace torvex {

std::vector<std::string> ReadTextLines(const std::filesystem::path& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        throw FileError("Cannot open file \"" + fileName.string() + "\"");
    std::ostringstream content;
    content << file.rdbuf();
    if (file.bad())
        throw FileError("Cannot read file \"" + fileName.string() + "\"");
    std::string text = std::move(content).str();
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos)
            end = text.size();
        if (end > start && text[end - 1] == '\r')
            --end;
        lines.emplace_back(text, start, end - start);
        start = next;
    }
    return lines;
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
