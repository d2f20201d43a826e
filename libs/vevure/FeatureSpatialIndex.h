#pragma once
// A packed R-tree of the boxes of one drawing's shapes, for culling, picking and snapping in large drawings.
// Built in one pass (sort-tile-recursive packing); boxes are kept as floats rounded outwards, so a query
// may give a few candidates more, never fewer. Boxes that do not fit in floats (infinite lines) are kept
// apart with their exact boxes and tested one by one.

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/afx/AfxTypes.h"

#include "libs/ruva/RuVaBndBox2d.h"

class FeatureSpatialIndex
{
public:
    struct Entry {
        float xmin, ymin, xmax, ymax;
        LONG id;
    };

    FeatureSpatialIndex() = default;

    // An entry for the box; FALSE (entry untouched) for a void box.
    static BOOL MakeEntry(long nID, const RuVaBndBox2d& box, Entry& entry, bool& bUnbounded);

    void Clear();
    struct Unbounded {
        RuVaBndBox2d box;
        LONG id;
    };
    // Replaces the contents with these entries and unbounded boxes.
    void Build(std::vector<Entry> entries, std::vector<Unbounded> unbounded);
    size_t GetSize() const { return m_leaves.size() + m_unbounded.size(); }

    // Calls found with the id of every entry whose box meets [xmin, xmax] x [ymin, ymax].
    void Query(double xmin, double ymin, double xmax, double ymax, const std::function<void(long)>& found) const;

private:
    struct Node {
        float xmin, ymin, xmax, ymax;
        uint32_t first;  // first child (node or leaf) index
        uint32_t count;
    };
    static constexpr uint32_t kFanout = 16;

    std::vector<Entry> m_leaves;
    std::vector<Node> m_nodes;         // the levels one after another, the root last
    std::vector<size_t> m_levelStart;  // where each level begins in m_nodes; level 0 holds leaf groups
    std::vector<Unbounded> m_unbounded;
};
