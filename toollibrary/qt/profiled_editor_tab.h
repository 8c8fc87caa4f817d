#pragma once

#include "geometry/contour_drawing.h"
#include "toollibrary/knife_editor.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace torvex {

class MessageSink;

// What the editor tab works on that the library window owns: the Code memo, the drawing frame and
// the "Drawing" picture, whose pointer moves and presses the tab takes.
struct ProfiledEditorHost {
    DrawingState& Drawing;
    QImage& Picture;
    QLabel& PictureLabel;
    std::function<std::vector<std::string>()> CodeLines;
    std::function<void(const std::vector<std::string>&)> SetCodeLines;
    std::function<void()> ShowPicture;
    // Whether "Profiled" is the inner tab on top.
    std::function<bool()> ProfiledTabActive;
};

// The "Profiled" tab: the fields of the line to draw or change, the pick and operation buttons,
// the chamfer and fillet sizes, "Clear" and the dimensions button. Its handlers read the
// controls, call the knife editor and redraw the picture as the editor says.
class ProfiledEditorTab : public QWidget {
    Q_OBJECT
public:
    ProfiledEditorTab(ProfiledEditorHost host, MessageSink& messages, QWidget* parent);
    ~ProfiledEditorTab() override;

    const KnifeEditor& Editor() const { return Core; }

    // The handlers, in the order of the tab's events.
    void PickClicked(PickMode mode, bool down);
    void OperationClicked(EditorOperation operation, bool down);
    void CopyClicked();
    void ClearClicked();
    void DimensionsToggled(bool down);
    void ApplyClicked();
    void PointerMoved(QPoint position);
    void MousePressed(Qt::MouseButton button, QPoint position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    LineFields ReadFields() const;
    void ShowFields(const LineFields& fields);
    void ShowState();
    PixelOf PixelMapping() const;
    void Redraw(EditorRedraw redraw, const std::vector<std::string>& code);
    void Show(const PointerView& view, const std::vector<std::string>& code);

    ProfiledEditorHost Host;
    MessageSink& Messages;
    KnifeEditor Core;

    QLineEdit* e11 = nullptr;
    QLineEdit* e12 = nullptr;
    QLineEdit* e13 = nullptr;
    QLineEdit* e14 = nullptr;
    QToolButton* fsp1 = nullptr;
    QToolButton* fsp2 = nullptr;
    QToolButton* copy = nullptr;
    QPushButton* bapply = nullptr;
    QToolButton* b1 = nullptr;
    QToolButton* b2 = nullptr;
    QToolButton* b3 = nullptr;
    QToolButton* b4 = nullptr;
    QDoubleSpinBox* eo1 = nullptr;
    QDoubleSpinBox* eo2 = nullptr;
    QDoubleSpinBox* eo3 = nullptr;
    QPushButton* clear = nullptr;
    QToolButton* spp = nullptr;
};

} // namespace torvex
