#pragma once

#include "geometry/contour_drawing.h"
#include "toollibrary/knife_form.h"
#include "toollibrary/qt/tool_slot_widget.h"
#include "toollibrary/tool_library.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>

class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace torvex {

class KnifePopup;
class LibraryList;
class MessageSink;
class ProfiledEditorTab;
class SupportPopup;
class ToolWindow;

// The "Tool library" window's controls: the twenty tool positions beside the lists of tips and
// supports ("Select tools"), and the forms that add knives and supports ("Add tools"). It fills
// the knife and support popups too.
class ToolLibraryWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int SlotCount = 20;

    // Reads the library below the start-up directory; a file that cannot be read is reported.
    ToolLibraryWindow(const std::filesystem::path& startupDirectory, ToolWindow& knifePopup,
                      ToolWindow& supportPopup, MessageSink& messages, QWidget* parent);
    ~ToolLibraryWindow() override;

    // What the operation windows take: the slot last pressed (0 before any) and the slots.
    uint8_t DraggedSlot() const { return Dragged; }
    TTool& Slot(int number) const { return *Slots.at(static_cast<size_t>(number - 1)); }
    const SlotPictureSource& SlotPictures() const { return PictureSourceOfSlots; }
    // Every position with its number and what it holds.
    std::vector<SlotDrag> Positions() const;
    const ToolLibrary& Library() const { return Files; }

    // The handlers, in the order of the window's events.
    void SlotPressed(int number);
    void DropOnSlot(int number, int source);
    void RemoveFromDraggedSlot(bool knife, bool tail);
    void PreviewKnife(QPoint position);
    void ShowSupportPopup();
    void GenerateProfileClicked();
    void AddKnifeToLibrary();
    void AddSupportToLibrary();
    void ModifyKnife();
    void DeleteKnife();
    void ModifySupport();
    void DeleteSupport();
    void HoverOverKnife(QPoint position);

    LibraryList& KnifeList() const { return *Knives; }
    LibraryList& SupportList() const { return *Supports; }
    QPlainTextEdit& CodeMemo() const { return *Code; }
    KnifePopup& KnifePopupControls() const { return *KnifePopupBody; }
    QMenu& SlotMenu() const { return *Menu; }
    ProfiledEditorTab& ProfiledEditor() const { return *Editor; }
    QTabWidget& KnifeKindTabs() const { return *KindTabs; }

private:
    QWidget* BuildSelectTools();
    QWidget* BuildAddTools();
    QWidget* BuildKnifeForm(QWidget* parent);
    QWidget* BuildSupportForm(QWidget* parent);
    void ConnectPopups();
    KnifeForm ReadKnifeForm() const;
    void ShowKnifeForm(const KnifeForm& form);
    std::vector<std::string> CodeLines() const;
    void SetCodeLines(const std::vector<std::string>& lines);
    void ShowDrawing();
    void RefreshLists();

    MessageSink& Messages;
    ToolLibrary Files;
    PictureReport MissingPictures;
    SlotPictureSource PictureSourceOfSlots;
    DrawingState Drawing;
    KnifeFileFields Scratch;
    std::optional<Segment> HoverSegment;
    uint8_t Dragged = 0;
    uint8_t DragSourceList = 0;

    ToolWindow& KnifePopupWindow;
    ToolWindow& SupportPopupWindow;
    KnifePopup* KnifePopupBody = nullptr;
    SupportPopup* SupportPopupBody = nullptr;
    QTabWidget* Tabs = nullptr;
    std::array<TTool*, SlotCount> Slots{};
    QMenu* Menu = nullptr;
    LibraryList* Knives = nullptr;
    LibraryList* Supports = nullptr;

    QLineEdit* e1 = nullptr;
    QLineEdit* e2 = nullptr;
    QTabWidget* KindTabs = nullptr;
    std::array<QLineEdit*, 5> ee{};
    QLineEdit* NoseRadius = nullptr;
    QPushButton* bb1 = nullptr;
    QToolButton* sp1 = nullptr;
    QToolButton* sp2 = nullptr;
    QTabWidget* ViewTabs = nullptr;
    QImage DrawingImage;
    QLabel* DrawingPicture = nullptr;
    QPlainTextEdit* Code = nullptr;
    QPushButton* AddKnifeButton = nullptr;
    ProfiledEditorTab* Editor = nullptr;
    QLineEdit* eee1 = nullptr;
    QLineEdit* eee2 = nullptr;
    QPushButton* AddSupportButton = nullptr;
};

} // namespace torvex
