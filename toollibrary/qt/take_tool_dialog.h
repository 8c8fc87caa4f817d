#pragma once

#include "toollibrary/tool_slot.h"

#include <optional>
#include <vector>

class QWidget;

namespace torvex {

// "Take tool": the library's positions listed by number, tip and support, for the keyboard and the
// context menu of an operation window's tool slot. Returns the index of the chosen position, or
// nothing when the user cancels.
std::optional<size_t> ChooseLibraryPosition(QWidget* parent,
                                            const std::vector<SlotDrag>& positions);

} // namespace torvex
