#pragma once

#include "operations/qt/operation_icons.h"
#include "operations/qt/operation_window.h"
#include "workspace/workspace.h"

namespace torvex {

// A window whose picture buttons queue its operations: the workspace's queue `QueueOf` keeps them,
// `OperationOf` reads a button's code as one of them.
template <class Queue, Queue Workspace::*QueueOf, auto OperationOf>
class QueuedOperationWindow : public OperationWindow {
protected:
    using OperationWindow::OperationWindow;

    bool Enqueue(int code) override {
        auto operation = OperationOf(code);
        return operation && (Work.*QueueOf).Add(*operation);
    }
    void EmptyQueue() override { (Work.*QueueOf).Clear(); }
    std::vector<int> QueuedCodes() const override {
        std::vector<int> codes;
        for (auto operation : (Work.*QueueOf).Codes)
            codes.push_back(static_cast<int>(operation));
        return codes;
    }
    QPixmap Icon(int code, int size) const override {
        return OperationIcon(*OperationOf(code), size);
    }
};

using QueuedRoughingWindow =
    QueuedOperationWindow<TRoughingQueue, &Workspace::RoughingQueue, RoughingOperationOf>;
using QueuedFinishingWindow =
    QueuedOperationWindow<TFinishingQueue, &Workspace::FinishingQueue, FinishingOperationOf>;
using QueuedGroovingWindow =
    QueuedOperationWindow<TGroovingQueue, &Workspace::GroovingQueue, GroovingOperationOf>;

// "Roughing toolpath": the whole length and either side roughed down to the finishing rest.
class RoughingWindow : public QueuedRoughingWindow {
    Q_OBJECT
public:
    RoughingWindow(Workspace& workspace, const SlotPictureSource& pictures,
                   LibraryPositions positions, ToolpathTreeDisplay& tree, ToolpathViewDisplay& view,
                   MessageSink& messages, QWidget* parent);

protected:
    std::string NextName() const override;
    MachiningJob Job(char separator) const override;
    size_t ViewpointResets(size_t operations) const override { return operations; }
};

// "Finishing toolpath": one pass along either side, with or without its flat top.
class FinishingWindow : public QueuedFinishingWindow {
    Q_OBJECT
public:
    FinishingWindow(Workspace& workspace, const SlotPictureSource& pictures,
                    LibraryPositions positions, ToolpathTreeDisplay& tree,
                    ToolpathViewDisplay& view, MessageSink& messages, QWidget* parent);

protected:
    std::string NextName() const override;
    MachiningJob Job(char separator) const override;
    size_t ViewpointResets(size_t) const override { return 1; }
};

// "Grooving and parting": the grooves below the flanks plunged and finished, and the part cut off,
// with one tool.
class GroovingWindow : public QueuedGroovingWindow {
    Q_OBJECT
public:
    GroovingWindow(Workspace& workspace, const SlotPictureSource& pictures,
                   LibraryPositions positions, ToolpathTreeDisplay& tree, ToolpathViewDisplay& view,
                   MessageSink& messages, QWidget* parent);

protected:
    std::string NextName() const override;
    MachiningJob Job(char separator) const override;
    size_t ViewpointResets(size_t) const override { return 1; }
};

// "Threading": an external thread cut along a cylinder of the part in one cycle, with one tool.
class ThreadingWindow : public OperationWindow {
    Q_OBJECT
public:
    ThreadingWindow(Workspace& workspace, const SlotPictureSource& pictures,
                    LibraryPositions positions, ToolpathTreeDisplay& tree,
                    ToolpathViewDisplay& view, MessageSink& messages, QWidget* parent);

protected:
    std::string NextName() const override;
    MachiningJob Job(char separator) const override;
    size_t ViewpointResets(size_t) const override { return 1; }
};

} // namespace torvex
