#pragma once
// The parse tree of a pattern: a graph of nodes whose leaves are character
// ranges. Leaves are unique per range and may have several parents; after
// ForceDisjoint no two leaves overlap, so the leaf ranges can serve as the
// input alphabet of the automata.
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "regex/char_codes.h"

enum TRENodeKind : std::uint8_t {
    nkChar = 0,   // leaf: the range First .. Last
    nkLineHead,   // "^", carrying its own code as a one-character range
    nkLineTail,   // "$", likewise
    nkConcat,     // Left then Right
    nkUnion,      // Left or Right
    nkStar,       // Left, zero or more times
    nkEmpty,      // the empty string
    nkNothing,    // matches nothing (a class that leaves no character)
};

struct TRENode {
    TRENodeKind Kind = nkEmpty;
    TRENode* Left = nullptr;
    TRENode* Right = nullptr;
    TRECode First = 0;
    TRECode Last = 0;
};

using TRENodeList = std::vector<std::unique_ptr<TRENode>>;

class TREParseTree {
public:
    TREParseTree() = default;
    TREParseTree(const TREParseTree&) = delete;
    TREParseTree& operator=(const TREParseTree&) = delete;

    TRENode* Root() const { return root_; }
    void SetRoot(TRENode* root) { root_ = root; }
    // All non-leaf nodes and all leaves; the tree owns both.
    const TRENodeList& Nodes() const { return nodes_; }
    const TRENodeList& Leaves() const { return leaves_; }

    TRENode* MakeNode(TRENodeKind kind, TRENode* left, TRENode* right);
    // The leaf with this range: the existing one, or a new one.
    TRENode* MakeLeaf(TRECode first, TRECode last);
    // Null when last < first.
    TRENode* MakeLeafOrNil(TRECode first, TRECode last);
    TRENode* MakeLineHead(TRECode code);
    TRENode* MakeLineTail(TRECode code);
    // Every code from 1 to 0xFCFC except LF and CR.
    TRENode* MakeAnyChar();

    // Turns a leaf, in place, into the union of two nodes: every parent of
    // the leaf sees the union.
    void LeafToUnion(TRENode* leaf, TRENode* left, TRENode* right);
    // Splits two overlapping leaves into disjoint pieces; false when they
    // are disjoint or equal.
    bool SplitLeaves(TRENode* x, TRENode* y);
    void ForceDisjoint();
    void Clear();

private:
    TRENode* root_ = nullptr;
    TRENodeList nodes_;
    TRENodeList leaves_;
    std::unordered_map<std::uint32_t, TRENode*> leafByRange_;
};
