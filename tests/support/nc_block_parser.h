#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace torvex::testing {

// One word of an NC block: its letter and its number, as written and as read.
struct NcWord {
    char Letter = 0;
    std::string Text;
    double Value = 0;
};

// An NC block read back: the block number and the words after it, in order.
struct NcBlock {
    long Number = 0;
    std::vector<NcWord> Words;

    // The value of the one word with this letter; nothing when there is none. Throws
    // std::invalid_argument when the letter occurs more than once.
    std::optional<double> Value(char letter) const;
    // The words with G and M codes spelt out and the others as letters, e.g. "G01 X G01 Z F".
    std::string Shape() const;
};

// Reads a block such as "N0010 G01 X12.5 Z-2 F100". The number must be "N" and at least four
// digits; each word is a capital letter and a plain decimal number (digits, a decimal point and
// digits, an optional leading minus), the words separated by blanks, with no blank before the
// number or at the end. Throws std::invalid_argument naming the fault.
NcBlock ParseNcBlock(std::string_view text);

// Whether a number is written the way "0.###" writes one: at least one digit before the point, at
// most three after it, no trailing zero after the point and no minus sign on zero.
bool IsThreeDecimalText(std::string_view text);

} // namespace torvex::testing
