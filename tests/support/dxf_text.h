#pragma once

#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

namespace torvex::testing {

// Writes small DXF drawings for the tests, group code by group code: R12 ("AC1009", with
// POLYLINE) or a newer version ("AC1015", with LWPOLYLINE). Entities go to the block begun last
// or, outside blocks, to the model space.
class DxfText {
public:
    struct Vertex {
        double X = 0;
        double Y = 0;
        double Bulge = 0;
    };

    explicit DxfText(std::string version = "AC1009") : Version(std::move(version)) {}

    DxfText& Units(int insunits) {
        InsUnits = insunits;
        return *this;
    }
    DxfText& Line(double x1, double y1, double x2, double y2, const std::string& layer = "0") {
        Entity("LINE", layer).Code(10, x1).Code(20, y1).Code(30, 0).Code(11, x2).Code(21, y2);
        return Code(31, 0);
    }
    DxfText& Arc(double cx, double cy, double radius, double from, double to,
                 const std::string& layer = "0", bool seenFromBelow = false) {
        Entity("ARC", layer).Code(10, cx).Code(20, cy).Code(30, 0).Code(40, radius);
        if (seenFromBelow)
            Code(210, 0).Code(220, 0).Code(230, -1);
        return Code(50, from).Code(51, to);
    }
    DxfText& Circle(double cx, double cy, double radius) {
        return Entity("CIRCLE", "0").Code(10, cx).Code(20, cy).Code(30, 0).Code(40, radius);
    }
    DxfText& TextEntity(double x, double y, const std::string& text) {
        Entity("TEXT", "0").Code(10, x).Code(20, y).Code(30, 0).Code(40, 2.5);
        return Code(1, text);
    }
    // A polyline of the drawing's version: POLYLINE with VERTEX entities in R12, LWPOLYLINE after.
    DxfText& Polyline(const std::vector<Vertex>& vertices, bool closed,
                      const std::string& layer = "0") {
        if (Version == "AC1009") {
            Entity("POLYLINE", layer).Code(66, 1).Code(10, 0).Code(20, 0).Code(30, 0);
            Code(70, closed ? 1 : 0);
            for (const Vertex& v : vertices)
                Entity("VERTEX", layer).Code(10, v.X).Code(20, v.Y).Code(30, 0).Code(42, v.Bulge);
            return Entity("SEQEND", layer);
        }
        Entity("LWPOLYLINE", layer).Code(90, static_cast<int>(vertices.size()));
        Code(70, closed ? 1 : 0);
        for (const Vertex& v : vertices)
            Code(10, v.X).Code(20, v.Y).Code(42, v.Bulge);
        return *this;
    }
    DxfText& BeginBlock(const std::string& name, double baseX, double baseY) {
        Target = &Blocks;
        Code(0, "BLOCK").Code(8, "0").Code(2, name).Code(70, 0).Code(10, baseX).Code(20, baseY);
        return Code(30, 0).Code(3, name);
    }
    DxfText& EndBlock() {
        Code(0, "ENDBLK").Code(8, "0");
        Target = &Entities;
        return *this;
    }
    DxfText& Insert(const std::string& name, double x, double y, double scaleX, double scaleY,
                    double angle, const std::string& layer = "0") {
        Entity("INSERT", layer).Code(2, name).Code(10, x).Code(20, y).Code(30, 0);
        return Code(41, scaleX).Code(42, scaleY).Code(43, 1).Code(50, angle);
    }

    std::string Text() const {
        std::ostringstream text;
        text << "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\n" << Version << '\n';
        if (InsUnits >= 0)
            text << "9\n$INSUNITS\n70\n" << InsUnits << '\n';
        text << "0\nENDSEC\n0\nSECTION\n2\nBLOCKS\n" << Blocks << "0\nENDSEC\n";
        text << "0\nSECTION\n2\nENTITIES\n" << Entities << "0\nENDSEC\n0\nEOF\n";
        return text.str();
    }
    void Save(const std::filesystem::path& file) const {
        std::ofstream(file, std::ios::binary) << Text();
    }

private:
    DxfText& Entity(const char* kind, const std::string& layer) {
        return Code(0, kind).Code(8, layer);
    }
    template <typename Value> DxfText& Code(int code, const Value& value) {
        std::ostringstream pair;
        pair.imbue(std::locale::classic());
        pair.precision(17);
        pair << code << '\n' << value << '\n';
        *Target += pair.str();
        return *this;
    }

    std::string Version;
    int InsUnits = -1;
    std::string Blocks;
    std::string Entities;
    std::string* Target = &Entities;
};

} // namespace torvex::testing
