#pragma once

#include <string>
#include <string_view>

namespace torvex {

// Whether a library item's name (or an index line) stays inside its folder as a file name: not
// empty, not "." or "..", and without '/', '\' or control characters.
bool IsItemFileName(std::string_view name);

// Throws LibraryError with a message naming `noun` ("knife", "support") when the name is not an
// item file name.
void CheckItemName(const std::string& name, std::string_view noun);

// Throws LibraryError when a one-line field of an item file holds a line break.
void CheckOneLineField(const std::string& text, std::string_view field);

} // namespace torvex
