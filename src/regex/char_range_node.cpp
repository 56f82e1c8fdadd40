#include "regex/char_range_node.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "regex/reserved_codes.h"

TRENode* MakeCharRange(TREParseTree& tree, TRECode first, TRECode last) {
    first = std::max(first, kFirstPatternCode);
    last = std::min(last, kLastPatternCode);
    if (last < first) return tree.MakeNode(nkNothing, nullptr, nullptr);
    return tree.MakeLeaf(first, last);
}

TRENode* MakeComplement(TREParseTree& tree, const TREParseTree& listed) {
    // The pieces of the any-character set, in the order "." builds them.
    std::vector<std::pair<TRECode, TRECode>> rest = {{11, 12}, {1, 9}, {14, kAnyCharLast}};
    for (const std::unique_ptr<TRENode>& leaf : listed.Leaves()) {
        std::size_t k = 0;
        while (k < rest.size()) {
            const auto [first, last] = rest[k];
            if (last < leaf->First || first > leaf->Last) {
                ++k;
                continue;
            }
            if (first < leaf->First) rest.emplace_back(first, static_cast<TRECode>(leaf->First - 1));
            if (last > leaf->Last) rest.emplace_back(static_cast<TRECode>(leaf->Last + 1), last);
            rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(k));
        }
    }
    if (rest.empty()) return tree.MakeNode(nkNothing, nullptr, nullptr);
    TRENode* p = tree.MakeLeaf(rest[0].first, rest[0].second);
    for (std::size_t k = 1; k < rest.size(); ++k)
        p = tree.MakeNode(nkUnion, p, tree.MakeLeaf(rest[k].first, rest[k].second));
    return p;
}
