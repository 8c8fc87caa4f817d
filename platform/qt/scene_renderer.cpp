#include "platform/qt/scene_renderer.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace torvex {

namespace {

constexpr double NearPlane = 0.05;
constexpr GLushort DashPattern = 0x00FF; // 8 pixels on, 8 off
constexpr int LegendMargin = 8;

void SetColour(const Colour& c) {
    glColor4f(c.R, c.G, c.B, c.A);
}

void DrawQuads(const QuadMesh& mesh) {
    if (mesh.Vertices.empty())
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, mesh.Vertices.data());
    glNormalPointer(GL_FLOAT, 0, mesh.Normals.data());
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(mesh.VertexCount()));
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

// One cap of an extrusion, filled by GLU's tessellator so that concave tool outlines come out
// right.
void DrawCap(const Extrusion& extrusion, double y, double normalY) {
    std::vector<std::array<GLdouble, 3>> corners;
    corners.reserve(extrusion.Contour.size());
    for (const ContourNode& node : extrusion.Contour)
        corners.push_back({extrusion.Position.X + node.X, extrusion.Position.Y + y,
                           extrusion.Position.Z + node.Y});
    GLUtesselator* tessellator = gluNewTess();
    if (tessellator == nullptr)
        return;
    gluTessCallback(tessellator, GLU_TESS_BEGIN, reinterpret_cast<_GLUfuncptr>(&glBegin));
    gluTessCallback(tessellator, GLU_TESS_VERTEX, reinterpret_cast<_GLUfuncptr>(&glVertex3dv));
    gluTessCallback(tessellator, GLU_TESS_END, reinterpret_cast<_GLUfuncptr>(&glEnd));
    gluTessNormal(tessellator, 0, normalY, 0);
    glNormal3d(0, normalY, 0);
    gluTessBeginPolygon(tessellator, nullptr);
    gluTessBeginContour(tessellator);
    for (auto& corner : corners)
        gluTessVertex(tessellator, corner.data(), corner.data());
    gluTessEndContour(tessellator);
    gluTessEndPolygon(tessellator);
    gluDeleteTess(tessellator);
}

void SetUpCamera(const Camera& camera, int width, int height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    double aspect = height > 0 ? static_cast<double>(width) / height : 1.0;
    double fieldOfView = camera.FieldOfView();
    if (aspect < 1) {
        // The field of view spans the width: widen the vertical one to match.
        double halfTangent = std::tan(fieldOfView / 2 * std::numbers::pi / 180) / aspect;
        fieldOfView = 2 * std::atan(halfTangent) * 180 / std::numbers::pi;
    }
    gluPerspective(fieldOfView, aspect, NearPlane, std::max(camera.DepthOfView, 2 * NearPlane));
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    Vec3 eye = camera.Position();
    Vec3 up = camera.ScreenUp();
    gluLookAt(eye.X, eye.Y, eye.Z, camera.Target.X, camera.Target.Y, camera.Target.Z, up.X, up.Y,
              up.Z);
}

void SetUpLight(const PointLight& light) {
    if (!light.Enabled) {
        glDisable(GL_LIGHTING);
        return;
    }
    const GLfloat position[] = {static_cast<GLfloat>(light.Position.X),
                                static_cast<GLfloat>(light.Position.Y),
                                static_cast<GLfloat>(light.Position.Z), 1};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glEnable(GL_LIGHTING);
}

void DrawExtrusions(const Scene& scene) {
    for (const Extrusion& extrusion : scene.Extrusions) {
        if (!extrusion.Visible || extrusion.Contour.size() < 3)
            continue;
        SetColour(extrusion.Material);
        DrawQuads(BuildExtrusionWalls(extrusion));
        DrawCap(extrusion, extrusion.Height / 2, 1);
        DrawCap(extrusion, -extrusion.Height / 2, -1);
    }
}

void DrawLine(const Polyline& line) {
    if (line.Antialiased) {
        glEnable(GL_LINE_SMOOTH);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    glLineWidth(1.5f);
    // Piece by piece in one colour each, so that a rapid move never fades into a cut; dashed
    // pieces stippled.
    glLineStipple(1, DashPattern);
    for (size_t k = 1; k < line.Nodes.size(); ++k) {
        const PolylineNode& from = line.Nodes[k - 1];
        const PolylineNode& to = line.Nodes[k];
        if (to.Style == LineStyle::Dashed)
            glEnable(GL_LINE_STIPPLE);
        SetColour(line.NodeColoursForLines ? to.NodeColour : line.LineColour);
        glBegin(GL_LINES);
        glVertex3d(from.Position.X, from.Position.Y, from.Position.Z);
        glVertex3d(to.Position.X, to.Position.Y, to.Position.Z);
        glEnd();
        glDisable(GL_LINE_STIPPLE);
    }
    glLineWidth(1);
    glDisable(GL_BLEND);
    glDisable(GL_LINE_SMOOTH);
    ColouredMesh cubes = BuildNodeCubes(line);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, cubes.Vertices.data());
    glColorPointer(4, GL_FLOAT, 0, cubes.Colours.data());
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(cubes.Vertices.size() / 3));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void DrawLines(const Scene& scene) {
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisable(GL_LIGHTING);
    for (const Polyline& line : scene.Lines) {
        if (!line.Visible || line.Nodes.empty())
            continue;
        if (line.OverSolids)
            glDisable(GL_DEPTH_TEST);
        DrawLine(line);
        glEnable(GL_DEPTH_TEST);
    }
}

// The legend as a picture: a dark plate with a line sample and the text of each entry.
QImage LegendPicture(const std::vector<LegendEntry>& legend) {
    QFont font;
    font.setPointSize(9);
    QFontMetrics metrics(font);
    constexpr int Sample = 28;
    constexpr int Gap = 6;
    int row = metrics.height() + 4;
    int width = 0;
    for (const LegendEntry& entry : legend)
        width = std::max(width, metrics.horizontalAdvance(QString::fromStdString(entry.Text)));
    QImage picture(2 * Gap + Sample + Gap + width, static_cast<int>(legend.size()) * row + Gap,
                   QImage::Format_RGBA8888);
    picture.fill(QColor(0, 0, 0, 150));
    QPainter painter(&picture);
    painter.setFont(font);
    for (size_t k = 0; k < legend.size(); ++k) {
        const LegendEntry& entry = legend[k];
        int middle = Gap / 2 + static_cast<int>(k) * row + row / 2;
        QPen pen(QColor::fromRgbF(entry.LineColour.R, entry.LineColour.G, entry.LineColour.B));
        pen.setWidth(2);
        if (entry.Style == LineStyle::Dashed)
            pen.setDashPattern({4, 4});
        painter.setPen(pen);
        painter.drawLine(Gap, middle, Gap + Sample, middle);
        painter.setPen(QColor(235, 235, 235));
        painter.drawText(QRect(2 * Gap + Sample, middle - row / 2, width + Gap, row),
                         Qt::AlignVCenter | Qt::AlignLeft, QString::fromStdString(entry.Text));
    }
    painter.end();
    // OpenGL's rows run from the bottom up.
    return picture.mirrored();
}

} // namespace

void SceneRenderer::DrawLegend(const std::vector<LegendEntry>& legend, int width, int height) {
    if (legend.empty())
        return;
    if (legend != LegendShown) {
        LegendShown = legend;
        Legend = LegendPicture(legend);
    }
    if (Legend.width() + 2 * LegendMargin > width || Legend.height() + 2 * LegendMargin > height)
        return;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glRasterPos2i(LegendMargin, LegendMargin);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glDrawPixels(Legend.width(), Legend.height(), GL_RGBA, GL_UNSIGNED_BYTE, Legend.constBits());
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

void SceneRenderer::Initialise() {
    Meshes.clear();
    const GLfloat ambient[] = {0.3f, 0.3f, 0.3f, 1};
    const GLfloat diffuse[] = {0.85f, 0.85f, 0.85f, 1};
    const GLfloat specular[] = {0.35f, 0.35f, 0.35f, 1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 40);
    glShadeModel(GL_SMOOTH);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
}

const QuadMesh& SceneRenderer::MeshOf(const RevolutionSolid& solid) {
    CachedMesh& cached = Meshes[&solid];
    if (cached.Nodes != solid.Nodes || cached.Slices != solid.Slices ||
        cached.NormalsInward != solid.NormalsInward || cached.Mesh.Vertices.empty()) {
        cached.Nodes = solid.Nodes;
        cached.Slices = solid.Slices;
        cached.NormalsInward = solid.NormalsInward;
        cached.Mesh = BuildRevolutionMesh(solid);
    }
    return cached.Mesh;
}

void SceneRenderer::DrawSolids(const Scene& scene, bool transparent) {
    if (transparent) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDepthMask(GL_FALSE);
    }
    for (const RevolutionSolid& solid : scene.Solids) {
        if (!solid.Visible || solid.Transparent != transparent)
            continue;
        SetColour(solid.Material);
        DrawQuads(MeshOf(solid));
    }
    if (transparent) {
        glDepthMask(GL_TRUE);
        glDisable(GL_BLEND);
    }
}

void SceneRenderer::Render(const Scene& scene, int width, int height) {
    glViewport(0, 0, width, height);
    const Colour& background = scene.Background;
    glClearColor(background.R, background.G, background.B, background.A);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SetUpCamera(scene.View, width, height);
    SetUpLight(scene.Light);
    glEnable(GL_DEPTH_TEST);
    glPolygonMode(GL_FRONT_AND_BACK, scene.WireFrame ? GL_LINE : GL_FILL);
    DrawSolids(scene, false);
    DrawExtrusions(scene);
    DrawSolids(scene, true);
    // Last, so that the toolpath stays plain to see through the transparent stock.
    DrawLines(scene);
    DrawLegend(scene.Legend, width, height);
}

} // namespace torvex
