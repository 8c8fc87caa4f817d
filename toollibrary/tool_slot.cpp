#include "toollibrary/tool_slot.h"

#include "platform/errors.h"
#include "platform/message_sink.h"

#include <algorithm>
#include <cctype>

namespace torvex {

namespace {

constexpr int PictureWidth = 20;
constexpr int LetterPitch = 9;

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// The characters of a UTF-8 text, each with its continuation bytes.
std::vector<std::string> Characters(const std::string& text) {
    std::vector<std::string> characters;
    for (unsigned char c : text) {
        if ((c & 0xC0) == 0x80 && !characters.empty())
            characters.back() += static_cast<char>(c);
        else
            characters.emplace_back(1, static_cast<char>(c));
    }
    return characters;
}

// A name written down an edge, one character every 9 pixels, each centred in a 7-pixel column.
void WriteDown(Canvas& canvas, const std::string& name, int column) {
    int y = 0;
    for (const std::string& character : Characters(name)) {
        if (y >= SlotHeight)
            break;
        canvas.TextOut((7 - canvas.TextWidth(character)) / 2 + column, y, character);
        y += LetterPitch;
    }
}

} // namespace

std::vector<std::string> KnifeLinesOf(const ToolSlotState& slot) {
    return slot.cutit ? slot.Data : std::vector<std::string>();
}

void PutKnife(ToolSlotState& slot, const std::string& name, const std::string& type,
              std::vector<std::string> lines) {
    slot.cutit = true;
    slot.Ncutit = name;
    slot.ToolType = type;
    slot.Data = std::move(lines);
}

void PutSupport(ToolSlotState& slot, const std::string& name) {
    slot.coada = true;
    slot.Ncoada = name;
}

void RemoveKnife(ToolSlotState& slot) {
    slot.Ncutit.clear();
    slot.cutit = false;
}

void RemoveTail(ToolSlotState& slot) {
    slot.Ncoada.clear();
    slot.coada = false;
}

void ClearPicture(ToolSlotState& slot) {
    slot.coada = false;
    slot.cutit = false;
}

void TakeLibrarySlot(ToolSlotState& target, const ToolSlotState& source) {
    target.Data.clear();
    target.coada = source.coada;
    target.cutit = source.cutit;
    target.Ncoada = source.Ncoada;
    target.Ncutit = source.Ncutit;
    target.Data = source.Data;
}

std::string SlotDragText(const SlotDrag& drag) {
    const ToolSlotState& slot = drag.Slot;
    std::string text = std::to_string(drag.Number) + "\n" + (slot.coada ? "1" : "0") + "\n" +
                       (slot.cutit ? "1" : "0") + "\n" + slot.Ncoada + "\n" + slot.Ncutit + "\n" +
                       slot.ToolType;
    for (const std::string& line : slot.Data)
        text += "\n" + line;
    return text;
}

std::string PositionText(const SlotDrag& position) {
    const ToolSlotState& slot = position.Slot;
    std::string text = std::to_string(position.Number) + ": ";
    if (!slot.cutit && !slot.coada)
        return text + "empty";
    text += slot.cutit ? slot.Ncutit : "no knife";
    return text + (slot.coada ? " on " + slot.Ncoada : ", no support");
}

std::optional<SlotDrag> ReadSlotDrag(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string_view::npos;
         start = end + 1, end = text.find('\n', start))
        lines.emplace_back(text.substr(start, end - start));
    lines.emplace_back(text.substr(start));
    auto flag = [](const std::string& line) { return line == "1"; };
    if (lines.size() < 6 || lines[0].empty() ||
        lines[0].find_first_not_of("0123456789") != std::string::npos || lines[0].size() > 3)
        return std::nullopt;
    SlotDrag drag;
    drag.Number = std::stoi(lines[0]);
    drag.Slot = {flag(lines[1]), flag(lines[2]),
                 lines[3],       lines[4],
                 lines[5],       std::vector<std::string>(lines.begin() + 6, lines.end())};
    return drag;
}

std::vector<SlotPicture> SlotPictures(const ToolSlotState& slot, SlotDesign design) {
    if (design == SlotDesign::Combined) {
        static const char* const files[2][2] = {{"s3.bmp", "s1.bmp"}, {"s2.bmp", "s4.bmp"}};
        return {{files[slot.coada][slot.cutit], 10, 0, SlotHeight}};
    }
    const char* support = !slot.coada                   ? "coadaw.bmp"
                          : Upper(slot.Ncoada) == "ANY" ? "coadaa.bmp"
                                                        : "coada.bmp";
    return {{support, 10, 0, SlotHeight / 2},
            {slot.cutit ? "cutit.bmp" : "cutitw.bmp", 10, SlotHeight / 2, SlotHeight / 2}};
}

void PictureReport::Missing(const std::string& text) {
    if (Reported)
        return;
    Reported = true;
    Messages.ShowMessage(text);
}

void DrawSlot(Canvas& canvas, const ToolSlotState& slot, SlotDesign design,
              const std::filesystem::path& pictureFolder, PictureReport& report) {
    canvas.SetPenColour(White);
    canvas.SetBrush(White, BrushStyle::Solid);
    canvas.Rectangle(-1, -1, SlotWidth + 1, SlotHeight + 1);
    canvas.SetBrush(White, BrushStyle::Clear);
    canvas.SetFont("smallfonts", 7, FontWeight::Normal);
    for (const SlotPicture& picture : SlotPictures(slot, design)) {
        try {
            canvas.DrawPicture(picture.X, picture.Y, pictureFolder / picture.File);
        } catch (const FileError& error) {
            canvas.SetPenColour(Black);
            canvas.Rectangle(picture.X, picture.Y, picture.X + PictureWidth,
                             picture.Y + picture.Height);
            report.Missing(error.what());
        }
    }
    canvas.SetPenColour(Black);
    if (slot.coada)
        WriteDown(canvas, slot.Ncoada, 2);
    if (slot.cutit)
        WriteDown(canvas, slot.Ncutit, 30);
}

} // namespace torvex
