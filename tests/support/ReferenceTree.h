#pragma once
// The note tree built the slow, literal way, for comparing with the real one: records in stored
// order; a record without an integer ID makes no node; a record goes under the first node built
// so far whose key is its Parent, else it becomes a root; then every root in order whose Parent
// is the key of another node (the first node of that key) moves under it, unless that node is its
// own descendant.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qj::test {

struct ReferenceRecord {
    std::int64_t rowid = 0;
    std::optional<std::int64_t> id;     // no value: not an integer
    std::optional<std::int64_t> parent; // no value: not an integer
};

struct ReferenceTree {
    std::vector<ReferenceRecord> nodes; // one per record with an integer ID, in stored order
    std::vector<int> parent;            // -1 for a root
    std::vector<std::vector<int>> children;
    std::vector<int> roots;

    explicit ReferenceTree(const std::vector<ReferenceRecord>& records) {
        for (const ReferenceRecord& r : records)
            if (r.id)
                nodes.push_back(r);
        const int count = static_cast<int>(nodes.size());
        parent.assign(count, -1);
        children.assign(count, {});
        auto firstOfKey = [&](std::int64_t key, int before) {
            for (int n = 0; n < before; ++n)
                if (*nodes[n].id == key)
                    return n;
            return -1;
        };
        for (int n = 0; n < count; ++n) {
            const int p = nodes[n].parent ? firstOfKey(*nodes[n].parent, n) : -1;
            if (p >= 0) {
                parent[n] = p;
                children[p].push_back(n);
            } else {
                roots.push_back(n);
            }
        }
        const std::vector<int> waiting = roots;
        for (int r : waiting) {
            if (!nodes[r].parent || *nodes[r].parent == *nodes[r].id)
                continue;
            const int p = firstOfKey(*nodes[r].parent, count);
            if (p < 0 || p == r || isAncestor(r, p))
                continue;
            std::erase(roots, r);
            parent[r] = p;
            children[p].push_back(r);
        }
    }

    // Whether `a` is `n` or one of its ancestors.
    bool isAncestor(int a, int n) const {
        for (; n >= 0; n = parent[n])
            if (n == a)
                return true;
        return false;
    }

    std::vector<std::int64_t> rowidsOf(const std::vector<int>& list) const {
        std::vector<std::int64_t> out;
        for (int n : list)
            out.push_back(nodes[n].rowid);
        return out;
    }
};

} // namespace qj::test
