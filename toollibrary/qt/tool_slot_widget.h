#pragma once

#include "toollibrary/tool_slot.h"

#include <QWidget>

#include <filesystem>
#include <functional>
#include <vector>

class QMimeData;

namespace torvex {

// Where the slots find their pictures, and the report that names a missing one once per run.
struct SlotPictureSource {
    std::filesystem::path Folder;
    PictureReport& Report;
};

// The library's twenty positions, each with its number and what it holds, as a drag of it carries
// them.
using LibraryPositions = std::function<std::vector<SlotDrag>()>;

// The drag formats: a library list carries "0" (knives) or "1" (supports), a library slot its
// number and state (SlotDragText).
inline constexpr const char* LibraryListMime = "application/x-torvex-library-list";
inline constexpr const char* ToolSlotMime = "application/x-torvex-tool-slot";

// A library slot takes only what the two lists drag; an operation window's slot only a library
// slot.
bool IsLibraryListDrag(const QMimeData& data);
bool IsLibrarySlotDrag(const QMimeData& data);

// A tool slot, 40 by 80 pixels: support and knife, each shown or not, with their names down the
// edges. A change of a flag or a name redraws it at once; ToolType and Data change silently. A
// double click hides both tools and keeps the rest.
class TTool2 : public QWidget {
    Q_OBJECT
public:
    TTool2(const SlotPictureSource& pictures, QWidget* parent);

    const ToolSlotState& State() const { return Slot; }
    // Takes the new state, redrawing when a flag or a name differs from the shown one.
    void SetState(ToolSlotState next);
    // Redraws now.
    void Update();
    // How often the slot was drawn, for the redraw rules.
    int DrawCount() const { return Draws; }

    // A library slot: a left press arms a drag of slot `number`, which starts after 5 pixels.
    void SetDragNumber(int number) { DragNumber = number; }
    // Which drags the slot accepts; none by default.
    void SetDropRule(std::function<bool(const QMimeData&)> rule) { DropRule = std::move(rule); }

signals:
    void Pressed(Qt::MouseButton button);
    void DoubleClicked();
    void Dropped(const QMimeData* data);

protected:
    // The base design: a support picture over a knife picture.
    virtual void DrawSlot(Canvas& canvas);
    const SlotPictureSource& PictureSource() const { return Pictures; }

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    SlotPictureSource Pictures;
    ToolSlotState Slot;
    int Draws = 0;
    int DragNumber = 0;
    std::optional<QPoint> PressPoint;
    std::function<bool(const QMimeData&)> DropRule;
};

// The slot every window shows: one combined picture of support and knife.
class TTool : public TTool2 {
    Q_OBJECT
public:
    using TTool2::TTool2;

protected:
    void DrawSlot(Canvas& canvas) override;
};

} // namespace torvex
