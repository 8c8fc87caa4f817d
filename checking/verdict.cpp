#include "checking/verdict.h"

#include "geometry/number_text.h"

namespace torvex {

namespace {

std::string Mm(double value) {
    return FormatFloat("0.###", value);
}

// "at Z32.5, radius 15": the place as the program's words carry it, the radius given as a
// diameter in diameter mode.
std::string Place(const TPoint& where, const PlaceTerms& terms) {
    return "at Z" + Mm(where.X - terms.ZeroAt) +
           (terms.Diameter ? ", diameter " + Mm(2 * where.Y) : ", radius " + Mm(where.Y));
}

// "N0120 (Rough80, 2.5 mm into the part at Z32.5, radius 15)".
std::string CollisionText(const Collision& c, const PlaceTerms& terms) {
    std::string what;
    switch (c.Kind) {
    case CollisionKind::IntoPart:
        what = c.Knife + ", " + Mm(c.Depth) + " mm into the part";
        break;
    case CollisionKind::RapidThroughMaterial:
        what = "rapid move of " + c.Knife + ", " + Mm(c.Depth) + " mm into the material";
        break;
    case CollisionKind::ThreadThroughMaterial:
        what = c.Knife + ", " + Mm(c.Depth) + " mm into material outside the thread";
        break;
    case CollisionKind::IntoChuck:
        what = c.Knife + ", " + Mm(c.Depth) + " mm into the chuck's jaws";
        break;
    }
    std::string text = "N";
    return text.append(FormatFloat("0000", c.Block)) + " (" + what + " " + Place(c.Where, terms) +
           ")";
}

std::string FirstAndDeepest(const Collision& first, const Collision& deepest,
                            const PlaceTerms& terms) {
    if (first.Block == deepest.Block && first.Kind == deepest.Kind)
        return "first and deepest collision " + CollisionText(first, terms);
    return "first collision " + CollisionText(first, terms) + ", deepest " +
           CollisionText(deepest, terms);
}

} // namespace

std::string VerdictText(const CheckResult& result, const PlaceTerms& terms) {
    auto first = result.FirstCollision();
    if (!first)
        return NoCollisionText;
    return std::string("Checked against the knives: ") +
           FirstAndDeepest(*first, *result.DeepestCollision(), terms);
}

std::vector<std::string> VerdictReport(const CheckResult& result, const PlaceTerms& terms) {
    std::vector<std::string> lines{VerdictText(result, terms)};
    for (size_t i = 0; i < result.Operations.size(); ++i) {
        const OperationCheck& operation = result.Operations[i];
        std::string line = "Operation " + std::to_string(i + 1) + ": ";
        if (!operation.First)
            line += "no collision";
        else
            line += std::to_string(operation.Collisions) +
                    (operation.Collisions == 1 ? " move collides, " : " moves collide, ") +
                    FirstAndDeepest(*operation.First, *operation.Deepest, terms);
        lines.push_back(line);
    }
    lines.push_back(MaterialLeftText(result, terms));
    return lines;
}

std::string MaterialLeftText(const CheckResult& result, const PlaceTerms& terms) {
    if (Mm(result.MaterialLeft) == "0")
        return "Material left on the part: none";
    return "Material left on the part: at most " + Mm(result.MaterialLeft) + " mm (" +
           Place(result.MaterialLeftAt, terms) + ")";
}

} // namespace torvex
