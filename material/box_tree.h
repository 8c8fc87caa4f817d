#pragma once

#include "material/clipper_paths.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace torvex::material {

// A fixed list of boxes found by where they lie: a binary tree over runs of neighbouring entries,
// each node bounding its run. Entries listed so that neighbours lie near each other (the
// segments of a profile, the pieces of a part along it) give tight nodes, and a search visits
// little more than the entries it finds.
class BoxTree {
public:
    BoxTree() = default;
    explicit BoxTree(std::vector<Box> boxes);

    size_t Count() const { return Boxes.size(); }
    const Box& operator[](size_t index) const { return Boxes[index]; }

    // Calls visit(index) for every entry whose box meets `box`, in the order of the list.
    template <typename Visit> void ForEachMeeting(const Box& box, Visit&& visit) const {
        if (Nodes.empty())
            return;
        uint32_t stack[64];
        size_t depth = 0;
        stack[depth++] = 0;
        while (depth > 0) {
            const Node& node = Nodes[stack[--depth]];
            if (!node.Bounds.Meets(box))
                continue;
            if (node.Left == Leaf) {
                for (uint32_t k = node.First; k < node.End; ++k)
                    if (Boxes[k].Meets(box))
                        visit(static_cast<size_t>(k));
                continue;
            }
            stack[depth++] = node.Left + 1;
            stack[depth++] = node.Left;
        }
    }

    // A search for what lies nearest: `bound(box)` is the least any entry in the box can score,
    // `visit(index)` scores an entry, and `best()` is the score to beat. Nodes are entered nearest
    // first and left out once their bound exceeds the best score.
    template <typename Bound, typename Visit, typename Best>
    void ForEachNear(Bound&& bound, Visit&& visit, Best&& best) const {
        if (!Nodes.empty())
            Near(0, bound(Nodes[0].Bounds), bound, visit, best);
    }

private:
    static constexpr uint32_t Leaf = std::numeric_limits<uint32_t>::max();
    // A run of entries [First, End); its children are Nodes[Left] and Nodes[Left + 1].
    struct Node {
        Box Bounds;
        uint32_t First = 0, End = 0;
        uint32_t Left = Leaf;
    };

    void Build(uint32_t index, uint32_t first, uint32_t end);

    template <typename Bound, typename Visit, typename Best>
    void Near(uint32_t index, double nodeBound, Bound& bound, Visit& visit, Best& best) const {
        if (nodeBound > best())
            return;
        const Node& node = Nodes[index];
        if (node.Left == Leaf) {
            for (uint32_t k = node.First; k < node.End; ++k)
                visit(static_cast<size_t>(k));
            return;
        }
        double left = bound(Nodes[node.Left].Bounds);
        double right = bound(Nodes[node.Left + 1].Bounds);
        if (right < left) {
            Near(node.Left + 1, right, bound, visit, best);
            Near(node.Left, left, bound, visit, best);
        } else {
            Near(node.Left, left, bound, visit, best);
            Near(node.Left + 1, right, bound, visit, best);
        }
    }

    std::vector<Box> Boxes;
    std::vector<Node> Nodes; // the root first
};

} // namespace torvex::material
