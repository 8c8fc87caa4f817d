#pragma once

#include "platform/frame_clock.h"
#include "platform/scene.h"

#include <QElapsedTimer>
#include <QImage>
#include <QWidget>

class QWindow;

namespace torvex {

class MessageSink;
class SceneWindow;

// Draws a Scene with the fixed-function pipeline of OpenGL 1.x, which every desktop driver and
// Mesa's software renderer provide. The scene is drawn in a native window of its own inside this
// widget: with a software renderer, composing an OpenGL widget into a full-screen window costs
// more than drawing the scene. It reports the mouse to its owner and runs the frame clock: while
// the clock is enabled, frames are drawn as fast as the renderer allows.
class SceneView : public QWidget {
    Q_OBJECT
public:
    // Errors raised by the clock's listener go to `errors`.
    SceneView(const Scene& scene, MessageSink& errors, QWidget* parent = nullptr);
    ~SceneView() override;

    FrameClock Clock;
    FrameCounter Counter;

    // Seconds since the view was created: the time base of Clock and Counter.
    double Now() const;
    // Enables or disables the clock; enabled, the view keeps drawing frames.
    void SetClockEnabled(bool enabled);
    // Asks for the scene to be drawn again.
    void Redraw();
    // Draws the scene off the screen's update cycle and returns the picture; a null image until
    // the view has been shown and drawn once.
    QImage GrabFramebuffer();
    // The native window the scene is drawn in: it receives the mouse.
    QWindow* Surface() const;

signals:
    void MousePressed(QPoint position);
    void MouseMoved(QPoint position, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    // A wheel turn in eighths of a degree, positive away from the user.
    void WheelTurned(int delta);

private:
    friend class SceneWindow;
    void AfterFrame();

    const Scene& Contents;
    MessageSink& Errors;
    QElapsedTimer Timer;
    SceneWindow* Window;
};

} // namespace torvex
