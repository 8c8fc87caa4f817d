#pragma once

#include "geometry/shaft.h"

#include <filesystem>
#include <string>
#include <vector>

namespace torvex {

class MessageSink;

// The stock companion of a model file: its full name with "s" appended ("part.mdl" ->
// "part.mdls").
std::filesystem::path StockCompanionPath(const std::filesystem::path& modelFile);

// Loads a model file into the part shaft and its stock companion into the stock shaft. Returns
// false when either file could not be read whole; the loader's message has been shown for it.
bool LoadPartAndStock(const std::filesystem::path& modelFile, TShaft& part, TShaft& stock,
                      MessageSink& messages);
// The same with the stock read from a stock file of its own (a stock another operation left).
bool LoadPartAndStock(const std::filesystem::path& modelFile,
                      const std::filesystem::path& stockFile, TShaft& part, TShaft& stock,
                      MessageSink& messages);

// A profile as the line records of a stock file: one line from each point to the next (points
// that repeat their predecessor give none), closed down to the axis at both ends, numbers with a
// decimal point. Loaded as a stock, the records give the profile back.
std::vector<std::string> StockFileLines(const std::vector<TPoint>& profile);

// Writes the profile as a stock file, whole or not at all. Throws FileError naming the file.
void SaveStockFile(const std::filesystem::path& fileName, const std::vector<TPoint>& profile);

} // namespace torvex
