#pragma once

#include "operations/qt/operation_window.h"

namespace torvex {

// "Roughing toolpath": the whole length and either side roughed down to the finishing rest.
class RoughingWindow : public OperationWindow {
    Q_OBJECT
public:
    RoughingWindow(Workspace& workspace, const SlotPictureSource& pictures,
                   LibraryPositions positions, ToolpathTreeDisplay& tree, ToolpathViewDisplay& view,
                   MessageSink& messages, QWidget* parent);

protected:
    bool Enqueue(int code) override;
    void EmptyQueue() override;
    std::vector<int> QueuedCodes() const override;
    QPixmap Icon(int code, int size) const override;
    std::string NextName() const override;
    MachiningJob Job(char separator) const override;
    size_t ViewpointResets(size_t operations) const override { return operations; }
};

// "Finishing toolpath": one pass along either side, with or without its flat top.
class FinishingWindow : public OperationWindow {
    Q_OBJECT
public:
    FinishingWindow(Workspace& workspace, const SlotPictureSource& pictures,
                    LibraryPositions positions, ToolpathTreeDisplay& tree,
                    ToolpathViewDisplay& view, MessageSink& messages, QWidget* parent);

protected:
    bool Enqueue(int code) override;
    void EmptyQueue() override;
    std::vector<int> QueuedCodes() const override;
    QPixmap Icon(int code, int size) const override;
    std::string NextName() const override;
    MachiningJob Job(char separator) const override;
    size_t ViewpointResets(size_t) const override { return 1; }
};

// "Grooving and parting": the grooves below the flanks plunged and finished, and the part cut off,
// with one tool.
class GroovingWindow : public OperationWindow {
    Q_OBJECT
public:
    GroovingWindow(Workspace& workspace, const SlotPictureSource& pictures,
                   LibraryPositions positions, ToolpathTreeDisplay& tree, ToolpathViewDisplay& view,
                   MessageSink& messages, QWidget* parent);

protected:
    bool Enqueue(int code) override;
    void EmptyQueue() override;
    std::vector<int> QueuedCodes() const override;
    QPixmap Icon(int code, int size) const override;
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
