#include "geometry/model_files.h"
#include "geometry/number_text.h"
#include "platform/message_sink.h"
#include "toolpath/block_writer.h"
#include "toolpath/strategies.h"
#include "toolpath/toolpath.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

using namespace torvex;

namespace {

constexpr double Depth = 1.5;
constexpr double Rest = 0.5;
constexpr double FineRest = 0.005;

// A part with its outlines built the way the roughing and the finishing windows build them.
struct Workpiece {
    TShaft Part;
    double StockRadius = 0;
    double RestAllowance = Rest;
    Tobjects RoughLeft, RoughRight, FinishLeft, FinishRight;

    void BuildOutlines() {
        Part.BuildSideOutlines(EntryCorner::Drop, FlatTop::Drop, FlatTop::Drop);
        RoughLeft = Part.LeftOutline.Elements;
        RoughRight = Part.RightOutline.Elements;
        Part.BuildSideOutlines(EntryCorner::Keep, FlatTop::Drop, FlatTop::Drop);
        FinishLeft = Part.LeftOutline.Elements;
        FinishRight = Part.RightOutline.Elements;
    }
};

Workpiece Production() {
    Workpiece piece;
    TShaft stock;
    RecordingMessageSink messages;
    LoadPartAndStock(std::string(TORVEX_DATA) + "/Models/production.mdl", piece.Part, stock,
                     messages);
    piece.StockRadius = stock.MaxRadius;
    piece.BuildOutlines();
    return piece;
}

std::string Record(const char* kind, std::initializer_list<double> values) {
    std::string text = std::string(kind) + " ";
    for (double v : values)
        text += FloatToText(v) + "/";
    return text;
}

// Both flanks climb in steps of five elements (a cylinder, a 45-degree chamfer, a cylinder, a wall
// and a convex rounding), a thousand steps each, to a flat top: 10,003 elements in all.
Workpiece Generated() {
    constexpr int Steps = 1000;
    constexpr double S = 0.01;
    constexpr double Base = 10;
    const double length = 2 * Steps * 9 * S + 10;
    std::vector<std::string> lines;
    auto step = [&](double x, double y, double sign) {
        auto X = [&](double dx) { return sign > 0 ? x + dx : length - x - dx; };
        lines.push_back(Record("line", {X(0), y, X(4 * S), y}));
        lines.push_back(Record("line", {X(4 * S), y, X(5 * S), y + S}));
        lines.push_back(Record("line", {X(5 * S), y + S, X(8 * S), y + S}));
        lines.push_back(Record("line", {X(8 * S), y + S, X(8 * S), y + 2 * S}));
        if (sign > 0)
            lines.push_back(Record("arc", {X(8 * S), y + S, X(10 * S), y + 3 * S, X(8 * S),
                                           y + 2 * S, X(9 * S), y + 3 * S}));
        else
            lines.push_back(Record("arc", {X(10 * S), y + S, X(8 * S), y + 3 * S, X(9 * S),
                                           y + 3 * S, X(8 * S), y + 2 * S}));
    };
    for (int i = 0; i < Steps; ++i) {
        step(i * 9 * S, Base + i * 3 * S, 1);
        step(i * 9 * S, Base + i * 3 * S, -1);
    }
    double top = Base + Steps * 3 * S;
    lines.push_back(Record("line", {0, 0, 0, Base}));
    lines.push_back(Record("line", {Steps * 9 * S, top, length - Steps * 9 * S, top}));
    lines.push_back(Record("line", {length, Base, length, 0}));
    Workpiece piece;
    piece.Part.LoadFromLines(lines);
    piece.Part.ComputeMaxRadius();
    piece.StockRadius = piece.Part.MaxRadius + 2;
    piece.RestAllowance = FineRest;
    piece.BuildOutlines();
    return piece;
}

RoughingParameters Roughing(const Workpiece& piece) {
    RoughingParameters p;
    p.SafeX = piece.StockRadius + 2;
    p.Offset = 2;
    p.Depth = Depth;
    p.RadialFeed = 100;
    p.AxialFeed = 250;
    return p;
}

void RoughSides(BlockWriter& w, const Workpiece& piece) {
    double climb = piece.StockRadius - piece.Part.MaxRadius;
    RoughFlank(w, BuildOffsetContour(piece.RoughLeft, Flank::Left, piece.RestAllowance, climb),
               Flank::Left, Roughing(piece));
    RoughFlank(w, BuildOffsetContour(piece.RoughRight, Flank::Right, piece.RestAllowance, climb),
               Flank::Right, Roughing(piece));
}

void Finish(BlockWriter& w, const Workpiece& piece) {
    FinishingParameters p;
    p.SafeX = piece.StockRadius + 2;
    p.Offset = 2;
    p.Approach = 1;
    p.Feed = 120;
    FinishFlank(w, piece.FinishLeft, Flank::Left, p);
    FinishFlank(w, piece.FinishRight, Flank::Right, p);
}

void FullLength(BlockWriter& w, const Workpiece& piece) {
    RoughFullLength(w, piece.Part.Elements, piece.StockRadius, piece.RestAllowance,
                    Roughing(piece));
}

void AllStrategies(BlockWriter& w, const Workpiece& piece) {
    FullLength(w, piece);
    RoughSides(w, piece);
    Finish(w, piece);
}

template <void (*Run)(BlockWriter&, const Workpiece&), Workpiece (*Make)()>
void Strategies(benchmark::State& state) {
    static const Workpiece piece = Make();
    size_t blocks = 0;
    for (auto _ : state) {
        TToolpath toolpath;
        BlockWriter w(toolpath);
        Run(w, piece);
        blocks = toolpath.NCBlocks().size();
        benchmark::DoNotOptimize(toolpath.PathPoints.Count());
    }
    state.counters["elements"] = static_cast<double>(piece.Part.Elements.size());
    state.counters["blocks"] = static_cast<double>(blocks);
}

} // namespace

BENCHMARK(Strategies<AllStrategies, Production>)
    ->Name("Production/all")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Strategies<AllStrategies, Generated>)
    ->Name("Generated10k/all")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Strategies<FullLength, Generated>)
    ->Name("Generated10k/full_length")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Strategies<RoughSides, Generated>)
    ->Name("Generated10k/offset_and_side_roughing")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Strategies<Finish, Generated>)
    ->Name("Generated10k/finishing")
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
