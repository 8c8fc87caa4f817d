#include "platform/qt/scene_view.h"

#include "platform/error_report.h"
#include "platform/qt/scene_renderer.h"

#include <QMouseEvent>
#include <QOpenGLWindow>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <GL/gl.h>

namespace torvex {

// The native window the view draws in; it hands its mouse to the view's signals.
class SceneWindow : public QOpenGLWindow {
public:
    explicit SceneWindow(SceneView& view) : View(view) {
        QSurfaceFormat format;
        format.setRenderableType(QSurfaceFormat::OpenGL);
        format.setProfile(QSurfaceFormat::CompatibilityProfile);
        format.setVersion(2, 1);
        format.setDepthBufferSize(24);
        setFormat(format);
    }

    QImage Grab() {
        if (!isValid())
            return {};
        makeCurrent();
        int width = static_cast<int>(this->width() * devicePixelRatio());
        int height = static_cast<int>(this->height() * devicePixelRatio());
        Renderer.Render(View.Contents, width, height);
        QImage image(width, height, QImage::Format_RGBA8888);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
        doneCurrent();
        return image.mirrored();
    }

protected:
    void initializeGL() override { Renderer.Initialise(); }
    void paintGL() override {
        View.Counter.FrameDrawn();
        Renderer.Render(View.Contents, static_cast<int>(width() * devicePixelRatio()),
                        static_cast<int>(height() * devicePixelRatio()));
    }
    void mousePressEvent(QMouseEvent* event) override {
        emit View.MousePressed(event->position().toPoint());
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        emit View.MouseMoved(event->position().toPoint(), event->buttons(), event->modifiers());
    }
    void wheelEvent(QWheelEvent* event) override { emit View.WheelTurned(event->angleDelta().y()); }

private:
    SceneView& View;
    SceneRenderer Renderer;
};

SceneView::SceneView(const Scene& scene, MessageSink& errors, QWidget* parent)
    : QWidget(parent), Contents(scene), Errors(errors), Window(new SceneWindow(*this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(QWidget::createWindowContainer(Window, this));
    Timer.start();
    Counter.Reset(Now());
    connect(Window, &QOpenGLWindow::frameSwapped, this, &SceneView::AfterFrame);
}

SceneView::~SceneView() = default;

double SceneView::Now() const {
    return static_cast<double>(Timer.nsecsElapsed()) / 1e9;
}

void SceneView::SetClockEnabled(bool enabled) {
    Clock.Enabled = enabled;
    if (enabled)
        Redraw();
}

void SceneView::Redraw() {
    Window->update();
}

QImage SceneView::GrabFramebuffer() {
    return Window->Grab();
}

QWindow* SceneView::Surface() const {
    return Window;
}

void SceneView::AfterFrame() {
    RunGuarded(Errors, [this] { Clock.FrameDrawn(Now()); });
    if (Clock.Enabled)
        Redraw();
}

} // namespace torvex
