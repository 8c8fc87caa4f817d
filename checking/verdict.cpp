#include "checking/verdict.h"

#include "geometry/number_text.h"

namespace torvex {

namespace {

std::string Mm(double value) {
    return FormatFloat("0.###", value);
}

// "N0120 (Rough80, 2.5 mm into the part at Z32.5, radius 15)": the place by the axial position the
// program's Z words carry and by its radius, whichever way a control reads its X words.
std::string CollisionText(const Collision& c) {
    std::string what =
        c.Kind == CollisionKind::IntoPart
            ? c.Knife + ", " + Mm(c.Depth) + " mm into the part"
            : "rapid move of " + c.Knife + ", " + Mm(c.Depth) + " mm into the material";
    std::string text = "N";
    return text.append(FormatFloat("0000", c.Block)) + " (" + what + " at Z" + Mm(c.Where.X) +
           ", radius " + Mm(c.Where.Y) + ")";
}

std::string FirstAndDeepest(const Collision& first, const Collision& deepest) {
    if (first.Block == deepest.Block && first.Kind == deepest.Kind)
        return "first and deepest collision " + CollisionText(first);
    return "first collision " + CollisionText(first) + ", deepest " + CollisionText(deepest);
}

} // namespace

std::string VerdictText(const CheckResult& result) {
    auto first = result.FirstCollision();
    if (!first)
        return NoCollisionText;
    return std::string("Checked against the knives: ") +
           FirstAndDeepest(*first, *result.DeepestCollision());
}

std::vector<std::string> VerdictReport(const CheckResult& result) {
    std::vector<std::string> lines{VerdictText(result)};
    for (size_t i = 0; i < result.Operations.size(); ++i) {
        const OperationCheck& operation = result.Operations[i];
        std::string line = "Operation " + std::to_string(i + 1) + ": ";
        if (!operation.First)
            line += "no collision";
        else
            line += std::to_string(operation.Collisions) +
                    (operation.Collisions == 1 ? " move collides, " : " moves collide, ") +
                    FirstAndDeepest(*operation.First, *operation.Deepest);
        lines.push_back(line);
    }
    lines.push_back(MaterialLeftText(result));
    return lines;
}

std::string MaterialLeftText(const CheckResult& result) {
    if (Mm(result.MaterialLeft) == "0")
        return "Material left on the part: none";
    return "Material left on the part: at most " + Mm(result.MaterialLeft) + " mm (at Z" +
           Mm(result.MaterialLeftAt.X) + ", radius " + Mm(result.MaterialLeftAt.Y) + ")";
}

} // namespace torvex
