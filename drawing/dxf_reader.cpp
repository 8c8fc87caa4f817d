#include "drawing/dxf_reader.h"

#include "platform/errors.h"
#include "platform/work_progress.h"

#include <dl_creationadapter.h>
#include <dl_dxf.h>
#include <dl_exception.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <set>

namespace torvex {

namespace {

constexpr double Degrees = std::numbers::pi / 180;
// Inserts nested deeper than this are taken for a block that inserts itself.
constexpr int DeepestInsert = 32;

// p -> (A x + B y + X, C x + D y + Y): how an insert places a block's pieces.
struct Placement {
    double A = 1, B = 0, C = 0, D = 1, X = 0, Y = 0;

    TPoint operator()(TPoint p) const { return {A * p.X + B * p.Y + X, C * p.X + D * p.Y + Y}; }
    // This placement after `first`.
    Placement After(const Placement& first) const {
        return {A * first.A + B * first.C,     A * first.B + B * first.D,
                C * first.A + D * first.C,     C * first.B + D * first.D,
                A * first.X + B * first.Y + X, C * first.X + D * first.Y + Y};
    }
    double Determinant() const { return A * D - B * C; }
    // The scale of a placement that keeps circles round (rotation, equal scales, mirroring).
    std::optional<double> EvenScale() const {
        double first = std::hypot(A, C);
        double second = std::hypot(B, D);
        double tolerance = 1e-9 * std::max(first, second);
        if (std::fabs(first - second) > tolerance || std::fabs(A * B + C * D) > tolerance)
            return std::nullopt;
        return first;
    }
};

Placement Shift(double x, double y) {
    return {1, 0, 0, 1, x, y};
}

// Entities whose coordinates lie in their own plane (arcs, polylines, inserts) seen from below
// (extrusion 0, 0, -1) are mirrored in X; any other plane is not the drawing's.
enum class EntityPlane { Drawing, Mirrored, Other };

struct Insert {
    std::string Name;
    std::string Layer;
    Placement Place;
    TPoint At; // the insertion point, to name in messages
};

// The pieces, inserts and ignored entities of model space or of one block.
struct BlockContents {
    TPoint Base;
    std::vector<DrawingPiece> Pieces;
    std::vector<Insert> Inserts;
    std::map<std::string, int> Ignored;
};

struct OpenPolyline {
    std::vector<TPoint> Vertices;
    std::vector<double> Bulges;
    bool Closed = false;
    bool Mirrored = false;
    std::string Layer;
    BlockContents* Target = nullptr;
};

class DxfCollector : public DL_CreationAdapter {
public:
    BlockContents ModelSpace;
    std::map<std::string, BlockContents> Blocks;
    int Units = 0;

    void setVariableInt(const std::string& key, int value, int) override {
        if (key == "$INSUNITS")
            Units = value;
    }

    void addBlock(const DL_BlockData& data) override {
        EndPolyline();
        Current = &Blocks[data.name];
        Current->Base = {data.bpx, data.bpy};
    }
    void endBlock() override {
        EndPolyline();
        Current = &ModelSpace;
    }

    void addLine(const DL_LineData& data) override {
        if (BlockContents* target = Target("LINE"))
            target->Pieces.push_back(LinePiece({data.x1, data.y1}, {data.x2, data.y2}, Layer()));
    }

    void addArc(const DL_ArcData& data) override {
        BlockContents* target = Target("ARC");
        if (!target || !InDrawingPlane("ARC", *target))
            return;
        double sweep = std::fmod(data.angle2 - data.angle1 + 720, 360);
        if (sweep == 0)
            return;
        DrawingPiece arc = ArcPiece({data.cx, data.cy}, data.radius, data.angle1 * Degrees,
                                    sweep * Degrees, Layer());
        target->Pieces.push_back(Plane() == EntityPlane::Mirrored ? MirroredInX(arc) : arc);
    }

    void addPolyline(const DL_PolylineData& data) override {
        EndPolyline();
        BlockContents* target = Target("POLYLINE");
        // 3D polylines and meshes are no profile.
        if (!target || (data.flags & (8 | 16 | 64)) != 0) {
            if (target)
                ++target->Ignored["3D POLYLINE"];
            return;
        }
        if (!InDrawingPlane("POLYLINE", *target))
            return;
        Polyline = OpenPolyline{
            {}, {}, (data.flags & 1) != 0, Plane() == EntityPlane::Mirrored, Layer(), target};
    }

    void addVertex(const DL_VertexData& data) override {
        if (!Polyline)
            return;
        Polyline->Vertices.push_back({Polyline->Mirrored ? -data.x : data.x, data.y});
        Polyline->Bulges.push_back(Polyline->Mirrored ? -data.bulge : data.bulge);
    }
    void endSequence() override { EndPolyline(); }

    void addInsert(const DL_InsertData& data) override {
        BlockContents* target = Target("INSERT");
        if (!target || !InDrawingPlane("INSERT", *target))
            return;
        double mirror = Plane() == EntityPlane::Mirrored ? -1 : 1;
        double angle = data.angle * Degrees;
        double cosine = std::cos(angle);
        double sine = std::sin(angle);
        int columns = std::max(1, data.cols);
        int rows = std::max(1, data.rows);
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < columns; ++column) {
                // Scale, shift to the array's cell, rotate, move to the insertion point (and mirror
                // when the insert lies in a plane seen from below).
                double x = column * data.colSp;
                double y = row * data.rowSp;
                Placement place{mirror * cosine * data.sx,
                                -mirror * sine * data.sy,
                                sine * data.sx,
                                cosine * data.sy,
                                mirror * (data.ipx + cosine * x - sine * y),
                                data.ipy + sine * x + cosine * y};
                target->Inserts.push_back(
                    {data.name, Layer(), place, {mirror * data.ipx, data.ipy}});
            }
        }
    }

    void addPoint(const DL_PointData&) override { Ignore("POINT"); }
    void addXLine(const DL_XLineData&) override { Ignore("XLINE"); }
    void addRay(const DL_RayData&) override { Ignore("RAY"); }
    void addCircle(const DL_CircleData&) override { Ignore("CIRCLE"); }
    void addEllipse(const DL_EllipseData&) override { Ignore("ELLIPSE"); }
    void addSpline(const DL_SplineData&) override { Ignore("SPLINE"); }
    void addTrace(const DL_TraceData&) override { Ignore("TRACE"); }
    void add3dFace(const DL_3dFaceData&) override { Ignore("3DFACE"); }
    void addSolid(const DL_SolidData&) override { Ignore("SOLID"); }
    void addMText(const DL_MTextData&) override { Ignore("MTEXT"); }
    void addText(const DL_TextData&) override { Ignore("TEXT"); }
    void addArcAlignedText(const DL_ArcAlignedTextData&) override { Ignore("ARCALIGNEDTEXT"); }
    void addAttribute(const DL_AttributeData&) override { Ignore("ATTRIB"); }
    void addDimAlign(const DL_DimensionData&, const DL_DimAlignedData&) override { Dimension(); }
    void addDimLinear(const DL_DimensionData&, const DL_DimLinearData&) override { Dimension(); }
    void addDimRadial(const DL_DimensionData&, const DL_DimRadialData&) override { Dimension(); }
    void addDimDiametric(const DL_DimensionData&, const DL_DimDiametricData&) override {
        Dimension();
    }
    void addDimAngular(const DL_DimensionData&, const DL_DimAngular2LData&) override {
        Dimension();
    }
    void addDimAngular3P(const DL_DimensionData&, const DL_DimAngular3PData&) override {
        Dimension();
    }
    void addDimOrdinate(const DL_DimensionData&, const DL_DimOrdinateData&) override {
        Dimension();
    }
    void addLeader(const DL_LeaderData&) override { Ignore("LEADER"); }
    void addHatch(const DL_HatchData&) override { Ignore("HATCH"); }
    void addImage(const DL_ImageData&) override { Ignore("IMAGE"); }

    // Ends the polyline still open when the file ends.
    void Finish() { EndPolyline(); }

private:
    BlockContents* Current = &ModelSpace;
    std::optional<OpenPolyline> Polyline;

    std::string Layer() { return getAttributes().getLayer(); }

    // Where the entity now read goes: none for paper space, where it is only counted.
    BlockContents* Target(const char* kind) {
        EndPolyline();
        if (Current == &ModelSpace && getAttributes().isInPaperSpace()) {
            ++ModelSpace.Ignored[std::string(kind) + " in paper space"];
            return nullptr;
        }
        return Current;
    }

    void Ignore(const char* kind) {
        if (BlockContents* target = Target(kind))
            ++target->Ignored[kind];
    }
    void Dimension() { Ignore("DIMENSION"); }

    EntityPlane Plane() {
        const double* direction = getExtrusion()->getDirection();
        if (std::fabs(direction[0]) > 1e-9 || std::fabs(direction[1]) > 1e-9 || direction[2] == 0)
            return EntityPlane::Other;
        return direction[2] > 0 ? EntityPlane::Drawing : EntityPlane::Mirrored;
    }

    bool InDrawingPlane(const char* kind, BlockContents& target) {
        if (Plane() != EntityPlane::Other)
            return true;
        ++target.Ignored[std::string(kind) + " out of the drawing's plane"];
        return false;
    }

    static DrawingPiece MirroredInX(const DrawingPiece& arc) {
        return ArcPiece({-arc.Centre.X, arc.Centre.Y}, arc.Radius,
                        std::numbers::pi - arc.StartAngle, -arc.Sweep, arc.Layer);
    }

    void EndPolyline() {
        if (!Polyline)
            return;
        OpenPolyline polyline = std::move(*Polyline);
        Polyline.reset();
        size_t count = polyline.Vertices.size();
        size_t segments = polyline.Closed ? count : (count == 0 ? 0 : count - 1);
        for (size_t k = 0; k < segments; ++k) {
            TPoint start = polyline.Vertices[k];
            TPoint end = polyline.Vertices[(k + 1) % count];
            if (start == end)
                continue;
            double bulge = polyline.Bulges[k];
            polyline.Target->Pieces.push_back(
                bulge == 0 ? LinePiece(start, end, polyline.Layer)
                           : BulgeArcPiece(start, end, bulge, polyline.Layer));
        }
    }
};

DrawingPiece Placed(const DrawingPiece& piece, const Placement& place, double scale) {
    if (!piece.IsArc())
        return LinePiece(place(piece.Start), place(piece.End), piece.Layer);
    TPoint centre = place(piece.Centre);
    TPoint start = place(piece.Start);
    DrawingPiece arc =
        ArcPiece(centre, piece.Radius * scale, std::atan2(start.Y - centre.Y, start.X - centre.X),
                 place.Determinant() < 0 ? -piece.Sweep : piece.Sweep, piece.Layer);
    arc.Start = start;
    arc.End = place(piece.End);
    return arc;
}

// Coordinates beyond this (or not numbers at all) come from a broken file, not a part.
constexpr double FarthestCoordinate = 1e9;

bool WithinReach(const DrawingPiece& piece) {
    for (double value : {piece.Start.X, piece.Start.Y, piece.End.X, piece.End.Y, piece.Centre.X,
                         piece.Centre.Y, piece.Radius, piece.StartAngle, piece.Sweep})
        if (!std::isfinite(value) || std::fabs(value) > FarthestCoordinate)
            return false;
    return true;
}

class BlockExpander {
public:
    BlockExpander(const std::map<std::string, BlockContents>& blocks, DrawingContents& drawing)
        : Blocks(blocks), Drawing(drawing) {}

    // Adds the block's contents, placed, to the drawing; pieces on layer "0" take `layer`.
    void Add(const BlockContents& block, const Placement& place, const std::string& layer,
             int depth) {
        std::optional<double> scale = place.EvenScale();
        for (const DrawingPiece& piece : block.Pieces) {
            WorkStep("Reading the drawing", 0, 0);
            if (piece.IsArc() && !scale)
                throw DrawingError("The block inserted at " + PlaceText(InsertedAt) +
                                   " is scaled unequally in X and Y: its arcs would be ellipses");
            DrawingPiece placed = Placed(piece, place, scale.value_or(1));
            if (placed.Layer == "0" && !layer.empty())
                placed.Layer = layer;
            if (WithinReach(placed))
                Drawing.Pieces.push_back(std::move(placed));
            else
                ++Drawing.Ignored["element out of reach (beyond 1E9)"];
        }
        for (const auto& [kind, count] : block.Ignored)
            Drawing.Ignored[kind] += count;
        for (const Insert& insert : block.Inserts) {
            auto found = Blocks.find(insert.Name);
            if (found == Blocks.end()) {
                ++Drawing.Ignored["INSERT of a missing block"];
                continue;
            }
            if (depth >= DeepestInsert)
                throw DrawingError("The block '" + insert.Name + "' inserted at " +
                                   PlaceText(insert.At) + " inserts itself");
            if (depth == 0)
                InsertedAt = insert.At;
            Placement blockPlace = place.After(
                insert.Place.After(Shift(-found->second.Base.X, -found->second.Base.Y)));
            Add(found->second, blockPlace, insert.Layer == "0" ? layer : insert.Layer, depth + 1);
        }
    }

private:
    const std::map<std::string, BlockContents>& Blocks;
    DrawingContents& Drawing;
    TPoint InsertedAt;
};

double MillimetresPerUnit(int units) {
    switch (units) {
    case 0:
    case 4:
        return 1;
    case 1:
        return 25.4;
    default:
        break;
    }
    static const std::map<int, const char*> names{
        {2, "feet"},       {3, "miles"},       {5, "centimetres"}, {6, "metres"},
        {7, "kilometres"}, {8, "microinches"}, {9, "mils"},        {10, "yards"},
        {11, "angstroms"}, {12, "nanometres"}, {13, "microns"},    {14, "decimetres"}};
    auto name = names.find(units);
    throw DrawingError(
        "The drawing's unit is " +
        (name != names.end() ? std::string(name->second) : "code " + std::to_string(units)) +
        " ($INSUNITS): only drawings in millimetres, in inches or without a "
        "unit can be imported");
}

} // namespace

DrawingContents ReadDxfFile(const std::filesystem::path& file) {
    DxfCollector collector;
    DL_Dxf dxf;
    bool opened = false;
    try {
        opened = dxf.in(file.string(), &collector);
    } catch (const DL_Exception&) {
        throw DrawingError("\"" + file.string() + "\" is not a DXF drawing that can be read");
    }
    if (!opened)
        throw FileError("Cannot open file \"" + file.string() + "\"");
    collector.Finish();
    DrawingContents drawing;
    drawing.MillimetresPerUnit = MillimetresPerUnit(collector.Units);
    BlockExpander(collector.Blocks, drawing).Add(collector.ModelSpace, Placement{}, "", 0);
    return drawing;
}

std::vector<std::string> PieceLayers(const DrawingContents& drawing) {
    std::set<std::string> layers;
    for (const DrawingPiece& piece : drawing.Pieces)
        layers.insert(piece.Layer);
    return {layers.begin(), layers.end()};
}

} // namespace torvex
