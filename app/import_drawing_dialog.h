#pragma once

#include "drawing/drawing_import.h"

#include <QDialog>
#include <QWidget>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace torvex {

class MessageSink;

// Draws an imported model's profile as a full section about its axis (the lower half paler),
// inside the outline of its stock bar, scaled to fit.
class ProfilePreview : public QWidget {
public:
    explicit ProfilePreview(QWidget* parent);
    // The model to draw; nothing draws the axis alone.
    void Show(const std::optional<ImportedModel>& model);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<ImportedModel> Model;
};

// "Import drawing": the import's fields over a drawing read once, the profile found drawn again
// whenever a field changes, and below it what was left out or why the drawing is refused.
// "Import" is offered only while a profile is found.
class ImportDrawingDialog : public QDialog {
    Q_OBJECT
public:
    ImportDrawingDialog(DrawingContents drawing, const QString& drawingName, MessageSink& messages,
                        QWidget* parent);

    // The model the fields last gave; nothing while the drawing is refused.
    const std::optional<ImportedModel>& Model() const { return Found; }

    QLineEdit* AxisField() const { return Axis; }
    QComboBox* LayerField() const { return Layer; }
    QLineEdit* StockField() const { return Stock; }
    QLineEdit* FacingField() const { return Facing; }
    QLabel* StatusLabel() const { return Status; }
    QPushButton* ImportButton() const { return Import; }

private:
    void FindModel();
    DrawingImportOptions OptionsOfFields() const;

    DrawingContents Drawing;
    std::optional<ImportedModel> Found;
    QLineEdit* Axis = nullptr;
    QComboBox* Layer = nullptr;
    QLineEdit* Stock = nullptr;
    QLineEdit* Facing = nullptr;
    ProfilePreview* Preview = nullptr;
    QLabel* Status = nullptr;
    QPushButton* Import = nullptr;
};

} // namespace torvex
