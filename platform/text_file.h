#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace torvex {

// Reads a text file whole into lines, accepting CR LF and LF line ends. Throws FileError naming
// the file when it cannot be opened or read.
std::vector<std::string> ReadTextLines(const std::filesystem::path& fileName);

// Writes lines, each ended by CR LF, to a temporary file beside the target and renames it over
// the target, so that a failure never leaves half a file. Throws FileError naming the file.
void WriteTextLinesAtomically(const std::filesystem::path& fileName,
                              const std::vector<std::string>& lines);

} // namespace torvex
