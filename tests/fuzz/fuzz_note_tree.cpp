// Building the note tree from arbitrary (ID, Parent) rows: every row with an integer ID gets one
// node, every node is reachable from a root exactly once (loops in the Parents leave a root), and
// nothing recurses over the depth: a chain of many thousand levels in any stored order builds.
#include "FuzzCheck.h"

#include "store/NoteTree.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <vector>

using namespace qj;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    std::vector<NoteHeader> rows;
    // Either a long chain (each row under the one before, in a shuffled stored order), or rows
    // taken from the input; keys from a small range so that Parents meet IDs and IDs repeat.
    if (in.ConsumeIntegralInRange(0, 7) == 0) {
        const int levels = in.ConsumeIntegralInRange(1, 60000);
        const int stride = in.ConsumeIntegralInRange(1, 97);
        for (int i = 0; i < levels; ++i) {
            const int at = static_cast<int>((static_cast<long long>(i) * stride) % levels);
            rows.push_back({RecordId{i + 1}, NoteId{at},
                            at == 0 ? std::nullopt : std::optional(NoteId{at - 1}), QString()});
        }
    } else {
        const int range = in.ConsumeIntegralInRange(1, 1 << 16);
        while (in.remaining_bytes() > 0 && rows.size() < 20000) {
            NoteHeader r;
            r.rowid = RecordId{static_cast<std::int64_t>(rows.size()) + 1};
            r.id = NoteId{in.ConsumeIntegralInRange(0, range)};
            if (in.ConsumeBool())
                r.parent = NoteId{in.ConsumeIntegralInRange(-1, range)};
            rows.push_back(r);
        }
    }
    const size_t count = rows.size();
    NoteTree tree(std::move(rows));
    FUZZ_CHECK(tree.NodeCount() == static_cast<int>(count));
    std::vector<char> seen(count, 0);
    size_t reached = 0;
    for (const NodeRef n : tree.AllPreOrder()) {
        FUZZ_CHECK(n >= 0 && static_cast<size_t>(n) < count && !seen[static_cast<size_t>(n)]);
        seen[static_cast<size_t>(n)] = 1;
        ++reached;
        for (const NodeRef c : tree.Children(n))
            FUZZ_CHECK(tree.Parent(c) == n);
    }
    FUZZ_CHECK(reached == count);
    for (const NodeRef r : tree.Roots())
        FUZZ_CHECK(tree.Parent(r) == kNoNode);
    return 0;
}
