#include "toollibrary/item_names.h"

#include "toollibrary/library_error.h"

#include <algorithm>

namespace torvex {

namespace {

bool IsControl(char c) {
    auto code = static_cast<unsigned char>(c);
    return code < 0x20 || code == 0x7f;
}

bool HoldsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

bool IsItemFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return c == '/' || c == '\\' || IsControl(c); });
}

void CheckItemName(const std::string& name, std::string_view noun) {
    if (name.empty())
        throw LibraryError("The " + std::string(noun) + " needs a name.");
    if (!IsItemFileName(name))
        throw LibraryError("The name \"" + name +
                           "\" cannot be used: a name may not be \".\" or \"..\" nor hold /, \\ "
                           "or control characters.");
}

void CheckOneLineField(const std::string& text, std::string_view field) {
    if (HoldsLineBreak(text))
        throw LibraryError(std::string(field) + " cannot hold a line break.");
}

} // namespace torvex
