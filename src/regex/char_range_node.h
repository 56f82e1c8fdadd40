#pragma once
// Leaves for pattern characters, clipped to the codes a text can hold.
#include "regex/parse_tree.h"

// The leaf for first .. last without code 0 (the terminator) and the
// reserved marker codes; an nkNothing node when nothing is left.
TRENode* MakeCharRange(TREParseTree& tree, TRECode first, TRECode last);

// A node for every character except those of the listed tree's leaves
// (which must be disjoint): the any-character set minus them.
TRENode* MakeComplement(TREParseTree& tree, const TREParseTree& listed);
