#pragma once

#include "drawing/drawing_piece.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace torvex {

// What a DXF drawing holds for the import: the lines and arcs of its model space, those of blocks
// inserted there placed by their inserts (position, scale, rotation, mirroring, arrays), each on
// its layer (a block's pieces on layer "0" take the insert's layer), in the drawing's coordinates.
struct DrawingContents {
    std::vector<DrawingPiece> Pieces;
    // The drawing's unit in millimetres: 25.4 for inches, 1 for millimetres or no unit.
    double MillimetresPerUnit = 1;
    // How many entities of each other kind ("CIRCLE", "TEXT", "DIMENSION", ...) were passed over.
    std::map<std::string, int> Ignored;
};

// Reads a DXF file (ASCII, R12 and later) with dxflib: LINE, ARC, LWPOLYLINE and 2D POLYLINE (with
// bulges and the closed flag) and INSERT; every other entity is counted as ignored, and so is
// what lies in paper space. Throws FileError when the file cannot be opened and DrawingError
// for units other than millimetres, inches or none, and for a block inserted with unequal X and
// Y scales (its arcs would be ellipses).
DrawingContents ReadDxfFile(const std::filesystem::path& file);

// The layers the pieces lie on, sorted, each once.
std::vector<std::string> PieceLayers(const DrawingContents& drawing);

} // namespace torvex
