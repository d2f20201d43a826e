#include "libs/vevure/FeatureSpatialIndex.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "libs/ruva/RuVaBndBox2d.h"

namespace {

float Down(double v)
{
    float f = static_cast<float>(v);
    if (static_cast<double>(f) > v)
        f = std::nextafter(f, -std::numeric_limits<float>::infinity());
    return f;
}

float Up(double v)
{
    float f = static_cast<float>(v);
    if (static_cast<double>(f) < v)
        f = std::nextafter(f, std::numeric_limits<float>::infinity());
    return f;
}

bool Meets(float axmin, float aymin, float axmax, float aymax, double xmin, double ymin, double xmax, double ymax)
{
    return axmin <= xmax && axmax >= xmin && aymin <= ymax && aymax >= ymin;
}

template <class T>
void SortTileRecursive(std::vector<T>& items, size_t capacity)
{
    // Slices along x of about sqrt(n / capacity) tiles each, then sorted along y within a slice.
    const size_t n = items.size();
    if (n <= capacity)
        return;
    const size_t tiles = (n + capacity - 1) / capacity;
    const size_t slices = static_cast<size_t>(std::ceil(std::sqrt(static_cast<double>(tiles))));
    const size_t perSlice = slices * capacity;
    std::sort(items.begin(), items.end(),
              [](const T& a, const T& b) { return a.xmin + a.xmax < b.xmin + b.xmax; });
    for (size_t start = 0; start < n; start += perSlice) {
        const size_t end = std::min(n, start + perSlice);
        std::sort(items.begin() + static_cast<std::ptrdiff_t>(start), items.begin() + static_cast<std::ptrdiff_t>(end),
                  [](const T& a, const T& b) { return a.ymin + a.ymax < b.ymin + b.ymax; });
    }
}

}  // namespace

BOOL FeatureSpatialIndex::MakeEntry(long nID, const RuVaBndBox2d& box, Entry& entry, bool& bUnbounded)
{
    bUnbounded = false;
    if (box.IsVoid())
        return FALSE;
    const double v[4] = {box.XMin(), box.YMin(), box.XMax(), box.YMax()};
    for (double d : v) {
        if (!std::isfinite(d) || std::fabs(d) > 1e37) {
            bUnbounded = true;
            break;
        }
    }
    entry = {Down(v[0]), Down(v[1]), Up(v[2]), Up(v[3]), static_cast<LONG>(nID)};
    return TRUE;
}

void FeatureSpatialIndex::Clear()
{
    m_leaves.clear();
    m_nodes.clear();
    m_levelStart.clear();
    m_unbounded.clear();
}

void FeatureSpatialIndex::Build(std::vector<Entry> entries, std::vector<Unbounded> unbounded)
{
    Clear();
    m_unbounded = std::move(unbounded);
    m_leaves = std::move(entries);
    if (m_leaves.empty())
        return;
    SortTileRecursive(m_leaves, kFanout);
    // Level 0: one node per group of leaves.
    m_levelStart.push_back(0);
    for (size_t i = 0; i < m_leaves.size(); i += kFanout) {
        const size_t end = std::min(m_leaves.size(), i + kFanout);
        Node n{m_leaves[i].xmin, m_leaves[i].ymin, m_leaves[i].xmax, m_leaves[i].ymax, static_cast<uint32_t>(i),
               static_cast<uint32_t>(end - i)};
        for (size_t k = i + 1; k < end; ++k) {
            n.xmin = std::min(n.xmin, m_leaves[k].xmin);
            n.ymin = std::min(n.ymin, m_leaves[k].ymin);
            n.xmax = std::max(n.xmax, m_leaves[k].xmax);
            n.ymax = std::max(n.ymax, m_leaves[k].ymax);
        }
        m_nodes.push_back(n);
    }
    // Upper levels until one root remains. Nodes of a level are already in spatial order.
    while (m_nodes.size() - m_levelStart.back() > 1) {
        const size_t begin = m_levelStart.back(), end = m_nodes.size();
        m_levelStart.push_back(end);
        for (size_t i = begin; i < end; i += kFanout) {
            const size_t last = std::min(end, i + kFanout);
            Node n{m_nodes[i].xmin, m_nodes[i].ymin, m_nodes[i].xmax, m_nodes[i].ymax, static_cast<uint32_t>(i),
                   static_cast<uint32_t>(last - i)};
            for (size_t k = i + 1; k < last; ++k) {
                n.xmin = std::min(n.xmin, m_nodes[k].xmin);
                n.ymin = std::min(n.ymin, m_nodes[k].ymin);
                n.xmax = std::max(n.xmax, m_nodes[k].xmax);
                n.ymax = std::max(n.ymax, m_nodes[k].ymax);
            }
            m_nodes.push_back(n);
        }
    }
}

void FeatureSpatialIndex::Query(double xmin, double ymin, double xmax, double ymax,
                                const std::function<void(long)>& found) const
{
    if (!m_unbounded.empty()) {
        const RuVaBndBox2d query(RuVaPnt2d(xmin, ymin), RuVaPnt2d(xmax, ymax));
        for (const Unbounded& u : m_unbounded)
            if (!u.box.IsOut(query))
                found(u.id);
    }
    if (m_nodes.empty())
        return;
    // Depth-first from the root with an explicit stack of (level, node index).
    std::vector<std::pair<int, uint32_t>> stack;
    stack.emplace_back(static_cast<int>(m_levelStart.size()) - 1, static_cast<uint32_t>(m_nodes.size() - 1));
    while (!stack.empty()) {
        const auto [level, index] = stack.back();
        stack.pop_back();
        const Node& n = m_nodes[index];
        if (!Meets(n.xmin, n.ymin, n.xmax, n.ymax, xmin, ymin, xmax, ymax))
            continue;
        if (level == 0) {
            for (uint32_t k = n.first; k < n.first + n.count; ++k) {
                const Entry& e = m_leaves[k];
                if (Meets(e.xmin, e.ymin, e.xmax, e.ymax, xmin, ymin, xmax, ymax))
                    found(e.id);
            }
        } else {
            for (uint32_t k = n.first; k < n.first + n.count; ++k)
                stack.emplace_back(level - 1, k);
        }
    }
}
