#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace torvex {

// The element records of a generated model and of its stock companion.
struct GeneratedModel {
    std::vector<std::string> Part;
    std::vector<std::string> Stock;
};

// A stepped shaft of about `elements` elements, as an imported drawing of a long part may give:
// from radius 5 it climbs in steps (a cylinder 0.5 mm long, then a shoulder 0.05 mm high, every
// tenth corner a rounding arc) and steps down as many times to the right end, its records listed
// in a shuffled order as a model file may list them. The stock is a bar 1 mm over the part's
// largest radius, as long as the part. Up to 32,767 elements the part stays within the 10 m a
// model may reach.
GeneratedModel GeneratedSteppedModel(size_t elements, unsigned seed = 1);

// Writes the part as the model file and the stock as its companion (the name followed by "s").
void WriteGeneratedModel(const std::filesystem::path& modelFile, const GeneratedModel& model);

} // namespace torvex
