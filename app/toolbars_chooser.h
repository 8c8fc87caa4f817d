#pragma once

#include "platform/qt/tool_window.h"

#include <array>

class QListWidget;
class QToolBar;

namespace torvex {

class MessageSink;

// The small window that shows and hides the main window's three view toolbars: "Viewing tools",
// "Viewing tools 2" and "No. of slices", all checked at first.
class ToolbarsChooser : public ToolWindow {
    Q_OBJECT
public:
    ToolbarsChooser(const std::array<QToolBar*, 3>& toolbars, MessageSink& messages,
                    QWidget* parent);

    QListWidget* List() const { return Items; }
    // Each toolbar visible exactly when its item is checked.
    void ApplyChecks();

private:
    std::array<QToolBar*, 3> Toolbars;
    QListWidget* Items;
};

} // namespace torvex
