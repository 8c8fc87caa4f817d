#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace torvex {

// Element records of a stepped shaft of about `elements` elements: it climbs in steps (a
// cylinder, then a shoulder, every tenth corner a rounding arc) to the middle and steps down to
// the right end, listed in a shuffled order as a model file may list them.
std::vector<std::string> GeneratedShaftLines(size_t elements, unsigned seed = 1);

void WriteModelFile(const std::filesystem::path& fileName, const std::vector<std::string>& lines);

} // namespace torvex
