#pragma once

#include "toollibrary/knife_file.h"

#include <QImage>
#include <QWidget>

#include <string>

class QLabel;
class QPushButton;
class QToolButton;

namespace torvex {

// The knife popup's controls: the knife's picture, its working directions for display only, and
// "Modify" and "Delete". The pointer's moves over the picture are passed on.
class KnifePopup : public QWidget {
    Q_OBJECT
public:
    explicit KnifePopup(QWidget* parent);

    QImage& Picture() { return PictureImage; }
    // Shows Picture() as it now stands.
    void ShowPicture();
    void ShowDirections(KnifeDirections directions);
    // "Nose radius : 0.4 mm" for a nose of that radius (NoseRadiusText), "Sharp tip" for none.
    void ShowNoseRadius(const std::string& radius);
    KnifeDirections Directions() const;
    QPushButton* ModifyButton() const { return Modify; }
    QPushButton* DeleteButton() const { return Delete; }

signals:
    void PointerMoved(QPoint position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QImage PictureImage;
    QLabel* PictureLabel = nullptr;
    QLabel* Nose = nullptr;
    QToolButton* LeftDirection = nullptr;
    QToolButton* RightDirection = nullptr;
    QPushButton* Modify = nullptr;
    QPushButton* Delete = nullptr;
};

// The support popup's controls: "Modify" and "Delete".
class SupportPopup : public QWidget {
    Q_OBJECT
public:
    explicit SupportPopup(QWidget* parent);
    QPushButton* ModifyButton() const { return Modify; }
    QPushButton* DeleteButton() const { return Delete; }

private:
    QPushButton* Modify = nullptr;
    QPushButton* Delete = nullptr;
};

// Gives a widget the white ground of the library's pictures.
void PaintWhite(QWidget* widget);

// A working-direction toggle: an arrow to the left (the knife cuts towards the left) or to the
// right.
QToolButton* DirectionButton(QWidget* parent, const char* name, bool left);

} // namespace torvex
