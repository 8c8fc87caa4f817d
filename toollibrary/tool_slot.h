#pragma once

#include "platform/canvas.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvex {

class MessageSink;

// What one tool slot holds: a support (coada) and a knife (cutit), each there or not, their
// names, the knife's kind as the library lists it, and every line of the knife's file. The names,
// ToolType and Data outlast the flags: a removed knife keeps its lines but is no longer shown.
struct ToolSlotState {
    bool coada = false;
    bool cutit = false;
    std::string Ncoada;
    std::string Ncutit;
    std::string ToolType;
    std::vector<std::string> Data;
};

inline constexpr int SlotWidth = 40;
inline constexpr int SlotHeight = 80;

// The knife lines a slot hands to whoever builds a knife from it: Data while the slot shows a
// knife, nothing otherwise, so that a slot that shows no knife cuts with no knife.
std::vector<std::string> KnifeLinesOf(const ToolSlotState& slot);

// A knife dropped from the library list: shown, named, typed, and its file's lines taken.
void PutKnife(ToolSlotState& slot, const std::string& name, const std::string& type,
              std::vector<std::string> lines);
// A support dropped from the library list.
void PutSupport(ToolSlotState& slot, const std::string& name);
// The popup's "Remove &Knife" and "Remove &Tail": the name cleared, then the flag; ToolType and
// Data stay.
void RemoveKnife(ToolSlotState& slot);
void RemoveTail(ToolSlotState& slot);
// A double click: nothing shown any more, everything else kept.
void ClearPicture(ToolSlotState& slot);
// A library slot dropped on an operation window's slot: flags, names and knife lines taken, the
// target's ToolType kept.
void TakeLibrarySlot(ToolSlotState& target, const ToolSlotState& source);

// A library slot as a drag carries it: its number, then its state, one value a line (names and
// knife lines never hold a line break).
struct SlotDrag {
    int Number = 0;
    ToolSlotState Slot;
};
std::string SlotDragText(const SlotDrag& drag);
// A library position as "Take tool..." lists it: its number, the knife's tip and the support shown
// in it ("3: ShoulderL on SVJCR2020", "4: empty").
std::string PositionText(const SlotDrag& position);
// The drag back from its text; nothing for a text that is not one.
std::optional<SlotDrag> ReadSlotDrag(std::string_view text);

// The slot's picture files: one combined picture for the slots every window shows, or a support
// picture over a knife picture for a slot of the base design.
enum class SlotDesign : uint8_t { Combined, Base };

struct SlotPicture {
    const char* File;
    int X;
    int Y;
    int Height;
};

std::vector<SlotPicture> SlotPictures(const ToolSlotState& slot, SlotDesign design);

// Remembers whether a missing picture was reported, so that a run reports it once.
class PictureReport {
public:
    explicit PictureReport(MessageSink& messages) : Messages(messages) {}
    void Missing(const std::string& text);

private:
    MessageSink& Messages;
    bool Reported = false;
};

// Draws the slot: white ground, the pictures from `pictureFolder` (a picture that cannot be read
// leaves an empty frame in its place and is reported once), the support's name down the left
// edge and the knife's name down the right edge while each is shown.
void DrawSlot(Canvas& canvas, const ToolSlotState& slot, SlotDesign design,
              const std::filesystem::path& pictureFolder, PictureReport& report);

} // namespace torvex
