#pragma once

#include "platform/frame_clock.h"
#include "platform/scene.h"
#include "platform/scene_mesh.h"

#include <QElapsedTimer>
#include <QOpenGLWidget>

#include <unordered_map>

namespace torvex {

class MessageSink;

// Draws a Scene with the fixed-function pipeline of OpenGL 1.x, which every desktop driver and
// Mesa's software renderer provide. It reports the mouse to its owner and runs the frame clock:
// while the clock is enabled, frames are drawn as fast as the renderer allows.
class SceneView : public QOpenGLWidget {
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

signals:
    void MousePressed(QPoint position);
    void MouseMoved(QPoint position, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

protected:
    void initializeGL() override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    struct CachedMesh {
        std::vector<SolidNode> Nodes;
        int Slices = 0;
        bool NormalsInward = false;
        QuadMesh Mesh;
    };

    void AfterFrame();
    void SetUpCamera();
    void SetUpLight();
    const QuadMesh& MeshOf(const RevolutionSolid& solid);
    void DrawSolids(bool transparent);
    void DrawExtrusions();
    void DrawLines();

    const Scene& Contents;
    MessageSink& Errors;
    QElapsedTimer Timer;
    std::unordered_map<const RevolutionSolid*, CachedMesh> Meshes;
};

} // namespace torvex
