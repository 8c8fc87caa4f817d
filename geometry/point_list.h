#pragma once

#include "geometry/element.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace torvex {

// How a toolpath's move is made: at the rapid traverse (G00, which must meet no material) or at a
// feed.
enum class MoveKind : uint8_t { Feed, Rapid };
// The tool that makes a move: the left one works the left flank and the whole length, the right
// one the right flank.
enum class ToolSide : uint8_t { Left, Right };

// A point with the travel data of the step that ends at it. On a toolpath it also says how the
// move to it is made, by which tool, and in which NC block (0 for none).
struct TPunct {
    double X = 0;
    double Y = 0;
    double Dist = 0;      // straight distance from the previous point, mm
    double TotalTime = 0; // travel time from the first point, s
    double StepTime = 0;  // travel time of the step ending here, s
    double Feed = 0;      // feed of the step ending here, mm/min
    int32_t Block = 0;
    MoveKind Kind = MoveKind::Feed;
    ToolSide Tool = ToolSide::Left;

    bool IsRapid() const { return Kind == MoveKind::Rapid; }
};

using TPunctArray = std::vector<TPunct>;

// An ordered point list. With RejectDuplicates on, a point whose X and Y both equal those of a
// point already in the list is not added; the test is hashed, so adding stays constant-time.
// Points appended with RejectDuplicates off (a toolpath's moves) are hashed only when a duplicate
// test next needs them.
class TPctList {
public:
    bool RejectDuplicates = true;

    // Appends (x, y) timed from the previous point at `feed` mm/min. A zero feed after the first
    // point throws ArithmeticError.
    void AddPoint(double x, double y, double feed);
    // The same for a toolpath's move, which keeps its kind, tool and block.
    void AddMove(const TPunct& move);
    // Appends (x, y) without travel data.
    void AddXY(double x, double y);
    // AddXY for each point in turn, then SortByX(false, false). Into an empty list the points are
    // ordered first and then told apart among their neighbours of equal X, rather than one by one
    // through the duplicate index, which is built when a test next needs it.
    void AddEachXYSortedByX(std::vector<TPoint> points);
    void Clear();
    // Makes room for `count` points in all, so that appending them moves nothing.
    void Reserve(size_t count);
    // Orders the points by X, keeping equal X in their order (only X and Y move; the travel fields
    // stay where they are). Then one pass over equal-X neighbours that puts the larger Y first
    // (descendingTies) and/or one that puts the smaller Y first (ascendingTies).
    void SortByX(bool ascendingTies, bool descendingTies);
    // Exchanges the Y values of two points (the knife's edge order).
    void ExchangeY(size_t i, size_t j);
    // Repeats the tie passes until no pair at equal X is out of order.
    void SortTiesFully(bool descending);

    bool Contains(double x, double y) const;
    size_t Count() const { return Points.size(); }
    bool Empty() const { return Points.empty(); }
    const TPunct& operator[](size_t i) const { return Points[i]; }
    const TPunct& Last() const { return Points.back(); }
    const TPunctArray& Items() const { return Points; }
    TPunctArray::const_iterator begin() const { return Points.begin(); }
    TPunctArray::const_iterator end() const { return Points.end(); }

private:
    struct KeyHash {
        size_t operator()(const std::pair<uint64_t, uint64_t>& key) const;
    };
    static std::pair<uint64_t, uint64_t> Key(double x, double y);
    bool TiePass(bool descending);
    // Brings the duplicate index up to every point of the list.
    void IndexAll() const;

    TPunctArray Points;
    // How many of the first Indexed points hold each (X, Y). The points after them were appended
    // with RejectDuplicates off and are indexed before the next duplicate test or reordering.
    mutable std::unordered_map<std::pair<uint64_t, uint64_t>, uint32_t, KeyHash> Present;
    mutable size_t Indexed = 0;
};

// X and Y of every point, in order.
std::vector<TPoint> XYOf(const TPctList& list);

} // namespace torvex
