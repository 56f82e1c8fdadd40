#include "regex/parse_tree.h"

#include <algorithm>
#include <utility>

#include "regex/regex_error.h"
#include "regex/reserved_codes.h"

namespace {

std::uint32_t rangeKey(TRECode first, TRECode last) {
    return static_cast<std::uint32_t>(first) << 16 | last;
}

}  // namespace

TRENode* TREParseTree::MakeNode(TRENodeKind kind, TRENode* left, TRENode* right) {
    auto node = std::make_unique<TRENode>();
    node->Kind = kind;
    node->Left = left;
    node->Right = right;
    nodes_.push_back(std::move(node));
    return nodes_.back().get();
}

TRENode* TREParseTree::MakeLeaf(TRECode first, TRECode last) {
    auto [it, added] = leafByRange_.try_emplace(rangeKey(first, last), nullptr);
    if (!added) return it->second;
    auto leaf = std::make_unique<TRENode>();
    leaf->Kind = nkChar;
    leaf->First = first;
    leaf->Last = last;
    it->second = leaf.get();
    leaves_.push_back(std::move(leaf));
    return it->second;
}

TRENode* TREParseTree::MakeLeafOrNil(TRECode first, TRECode last) {
    return last < first ? nullptr : MakeLeaf(first, last);
}

TRENode* TREParseTree::MakeLineHead(TRECode code) {
    TRENode* node = MakeNode(nkLineHead, nullptr, nullptr);
    node->First = node->Last = code;
    return node;
}

TRENode* TREParseTree::MakeLineTail(TRECode code) {
    TRENode* node = MakeNode(nkLineTail, nullptr, nullptr);
    node->First = node->Last = code;
    return node;
}

TRENode* TREParseTree::MakeAnyChar() {
    TRENode* vtToFf = MakeLeaf(11, 12);
    TRENode* belowLf = MakeLeaf(1, 9);
    TRENode* aboveCr = MakeLeaf(14, kAnyCharLast);
    return MakeNode(nkUnion, MakeNode(nkUnion, belowLf, vtToFf), aboveCr);
}

void TREParseTree::LeafToUnion(TRENode* leaf, TRENode* left, TRENode* right) {
    if (left == nullptr || right == nullptr) RaiseInternalError(u8"TREParseTree : 致命的エラー");
    auto it = std::find_if(leaves_.begin(), leaves_.end(),
                           [leaf](const std::unique_ptr<TRENode>& l) { return l.get() == leaf; });
    if (it == leaves_.end()) RaiseInternalError(u8"TREParseTree : 致命的エラー");
    leafByRange_.erase(rangeKey(leaf->First, leaf->Last));
    nodes_.push_back(std::move(*it));
    leaves_.erase(it);
    leaf->Kind = nkUnion;
    leaf->Left = left;
    leaf->Right = right;
    leaf->First = leaf->Last = 0;
}

bool TREParseTree::SplitLeaves(TRENode* x, TRENode* y) {
    TRENode* a = x;
    TRENode* b = y;
    if (b->First < a->First) std::swap(a, b);
    if (b->First > a->Last || (a->First == b->First && a->Last == b->Last)) return false;

    const TRECode lo = a->First;
    const TRECode s = b->First;
    const TRECode m = std::min(a->Last, b->Last);
    const TRECode hi = std::max(a->Last, b->Last);
    const bool aEndsAtHi = a->Last == hi;
    TRENode* r = s == lo ? nullptr : MakeLeafOrNil(lo, static_cast<TRECode>(s - 1));
    TRENode* mid = MakeLeaf(s, m);
    TRENode* t = m == hi ? nullptr : MakeLeafOrNil(static_cast<TRECode>(m + 1), hi);

    if (r != nullptr && t == nullptr) {
        LeafToUnion(a, r, mid);                          // both end at hi
    } else if (r != nullptr && aEndsAtHi) {
        LeafToUnion(a, MakeNode(nkUnion, r, mid), t);    // a contains b
    } else if (r != nullptr) {
        LeafToUnion(a, r, mid);                          // they overlap in part
        LeafToUnion(b, mid, t);
    } else if (aEndsAtHi) {
        LeafToUnion(a, mid, t);                          // same start, a longer
    } else {
        LeafToUnion(b, mid, t);                          // same start, b longer
    }
    return true;
}

void TREParseTree::ForceDisjoint() {
    std::size_t i = 0;
    while (i < leaves_.size()) {
        bool split = false;
        for (std::size_t j = i + 1; j < leaves_.size() && !split; ++j)
            split = SplitLeaves(leaves_[j].get(), leaves_[i].get());
        if (!split) ++i;
    }
}

void TREParseTree::Clear() {
    root_ = nullptr;
    nodes_.clear();
    leaves_.clear();
    leafByRange_.clear();
}
