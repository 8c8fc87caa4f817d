#pragma once

#include "geometry/shaft.h"

#include <filesystem>

namespace torvex {

class MessageSink;

// The stock companion of a model file: its full name with "s" appended ("part.mdl" ->
// "part.mdls").
std::filesystem::path StockCompanionPath(const std::filesystem::path& modelFile);

// Loads a model file into the part shaft and its stock companion into the stock shaft (marked as
// stock first). Returns false when either file could not be read whole; the loader's message has
// been shown for it.
bool LoadPartAndStock(const std::filesystem::path& modelFile, TShaft& part, TShaft& stock,
                      MessageSink& messages);

} // namespace torvex
