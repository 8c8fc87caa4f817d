#include "toolpath/block_writer.h"
#include "toolpath/profile_measures.h"
#include "toolpath/strategies.h"

#include <algorithm>

namespace torvex {

namespace {

// A stock this little longer than the part has no face to cut.
constexpr double FaceTolerance = 1e-6;

// The end of the elements' extent on the flank's side: the largest x on the right, the smallest
// on the left.
std::optional<double> EndOf(const Tobjects& elements, Flank flank) {
    std::optional<double> end;
    double outwards = Outwards(flank);
    for (const TObj& e : elements) {
        if (!e.IsLine() && !e.IsArc())
            continue;
        const TPoint ends[] = {e.IsLine() ? e.P1 : e.P3, e.IsLine() ? e.P2 : e.P4};
        for (const TPoint& p : ends)
            if (!end || (p.X - *end) * outwards > 0)
                end = p.X;
    }
    return end;
}

} // namespace

std::optional<EndFace> EndFaceOf(const Tobjects& part, const Tobjects& stock, Flank flank) {
    std::optional<double> partEnd = EndOf(part, flank);
    std::optional<double> stockEnd = EndOf(stock, flank);
    if (!partEnd || !stockEnd || (*stockEnd - *partEnd) * Outwards(flank) <= FaceTolerance)
        return std::nullopt;
    return EndFace{*partEnd, *stockEnd};
}

void FaceEnd(BlockWriter& w, const EndFace& face, Flank flank, const RoughingParameters& p) {
    double outwards = Outwards(flank);
    double began = face.StockEnd;
    auto layer = [&](double z) {
        w.Rapid({z, p.SafeX});
        w.FeedX(0, p.RadialFeed);
        w.FeedZ(began, p.AxialFeed);
        w.RapidX(p.SafeX);
        began = z;
    };
    int layers = PassCount((face.StockEnd - face.PartEnd) * outwards, p.Depth);
    for (int k = 1; k <= layers; ++k)
        layer(face.StockEnd - outwards * p.Depth * k);
    layer(face.PartEnd);
}

} // namespace torvex
