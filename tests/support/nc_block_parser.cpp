#include "tests/support/nc_block_parser.h"

#include "geometry/number_text.h"

#include <algorithm>

namespace torvex::testing {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsPlainDecimal(std::string_view text) {
    size_t i = text.starts_with('-') ? 1 : 0;
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (digits == 0)
        return false;
    if (i == text.size())
        return true;
    if (text[i] != '.' || i + 1 == text.size())
        return false;
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(i) + 1, text.end(), IsDigit);
}

[[noreturn]] void Fail(std::string_view block, const std::string& fault) {
    throw std::invalid_argument("'" + std::string(block) + "': " + fault);
}

} // namespace

std::optional<double> NcBlock::Value(char letter) const {
    std::optional<double> value;
    for (const NcWord& word : Words) {
        if (word.Letter != letter)
            continue;
        if (value)
            throw std::invalid_argument(std::string("more than one ") + letter + " word");
        value = word.Value;
    }
    return value;
}

std::string NcBlock::Shape() const {
    std::string shape;
    for (const NcWord& word : Words) {
        if (!shape.empty())
            shape += ' ';
        shape += word.Letter;
        if (word.Letter == 'G' || word.Letter == 'M')
            shape += word.Text;
    }
    return shape;
}

NcBlock ParseNcBlock(std::string_view text) {
    NcBlock block;
    if (!text.starts_with('N'))
        Fail(text, "no block number");
    size_t end = text.find(' ');
    std::string_view number = text.substr(1, end == std::string_view::npos ? end : end - 1);
    if (number.size() < 4 || !std::all_of(number.begin(), number.end(), IsDigit))
        Fail(text, "the block number is not four digits or more");
    block.Number = std::stol(std::string(number));
    size_t position = end;
    while (position != std::string_view::npos) {
        size_t start = text.find_first_not_of(' ', position);
        if (start == std::string_view::npos)
            Fail(text, "blank at the end");
        end = text.find(' ', start);
        std::string_view word =
            text.substr(start, end == std::string_view::npos ? end : end - start);
        if (word[0] < 'A' || word[0] > 'Z')
            Fail(text, "a word does not begin with a capital letter");
        NcWord parsed;
        parsed.Letter = word[0];
        parsed.Text = std::string(word.substr(1));
        if (!IsPlainDecimal(parsed.Text))
            Fail(text, "'" + std::string(word) + "' does not carry a plain decimal number");
        parsed.Value = TextToFloat(parsed.Text, '.');
        block.Words.push_back(parsed);
        position = end;
    }
    return block;
}

bool IsThreeDecimalText(std::string_view text) {
    if (!IsPlainDecimal(text))
        return false;
    if (text == "-0")
        return false;
    size_t point = text.find('.');
    if (point == std::string_view::npos)
        return true;
    size_t decimals = text.size() - point - 1;
    return decimals <= 3 && text.back() != '0';
}

} // namespace torvex::testing
