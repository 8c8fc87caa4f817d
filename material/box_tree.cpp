#include "material/box_tree.h"

namespace torvex::material {

namespace {

constexpr uint32_t LeafSize = 8;

Box Joined(Box a, const Box& b) {
    if (b.Empty())
        return a;
    a.Add({b.MinX, b.MinY});
    a.Add({b.MaxX, b.MaxY});
    return a;
}

} // namespace

BoxTree::BoxTree(std::vector<Box> boxes) : Boxes(std::move(boxes)) {
    if (Boxes.empty())
        return;
    Nodes.reserve(2 * (Boxes.size() / LeafSize + 1));
    Nodes.emplace_back();
    Build(0, 0, static_cast<uint32_t>(Boxes.size()));
}

// Fills in the node at `index` for the run [first, end): two neighbouring slots for its children
// are taken before either is built.
void BoxTree::Build(uint32_t index, uint32_t first, uint32_t end) {
    Nodes[index].First = first;
    Nodes[index].End = end;
    if (end - first <= LeafSize) {
        Box bounds;
        for (uint32_t k = first; k < end; ++k)
            bounds = Joined(bounds, Boxes[k]);
        Nodes[index].Bounds = bounds;
        return;
    }
    uint32_t left = static_cast<uint32_t>(Nodes.size());
    Nodes[index].Left = left;
    Nodes.resize(Nodes.size() + 2);
    uint32_t middle = first + (end - first) / 2;
    Build(left, first, middle);
    Build(left + 1, middle, end);
    Nodes[index].Bounds = Joined(Nodes[left].Bounds, Nodes[left + 1].Bounds);
}

} // namespace torvex::material
