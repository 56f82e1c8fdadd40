#include "reference_matcher.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace reference {
namespace {

bool isLead(unsigned c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// ---- rendering ----------------------------------------------------------

std::string bytesOf(Code c) {
    if (c > 0xFF) return std::string{static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
    return std::string(1, static_cast<char>(c));
}

bool writableAsIs(Code c) {
    if (c > 0xFF) return isLead(c >> 8);
    return c != 0 && !isLead(c);
}

std::string hex4(Code c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\x%04X", c);
    return buf;
}

std::string octal6(Code c) {
    char buf[10];
    std::snprintf(buf, sizeof buf, "\\%06o", c);
    return buf;
}

std::string spellChar(Code c, int spelling, bool inClass) {
    const std::string specials = inClass ? "]\\-^" : "^(|)+*?.[]$\\";
    if (spelling % 3 == 1 || !writableAsIs(c)) return hex4(c);
    if (spelling % 3 == 2) return octal6(c);
    if (c < 0x80 && specials.find(static_cast<char>(c)) != std::string::npos)
        return "\\" + std::string(1, static_cast<char>(c));
    if (c == '\t' && spelling % 2 == 0) return "\\t";
    if (c == '\n' && spelling % 2 == 0) return "\\n";
    if (c == '\r' && spelling % 2 == 0) return "\\r";
    return bytesOf(c);
}

bool isAtom(const Node& n) {
    return n.kind == Node::Char || n.kind == Node::Class || n.kind == Node::Any || n.kind == Node::Head ||
           n.kind == Node::Tail;
}

std::string render(const Node& n, bool top);

std::string grouped(const Node& n) { return isAtom(n) ? render(n, false) : "(" + render(n, true) + ")"; }

std::string render(const Node& n, bool top) {
    switch (n.kind) {
        case Node::Char: return spellChar(n.code, n.spelling, false);
        case Node::Any: return ".";
        case Node::Head: return "^";
        case Node::Tail: return "$";
        case Node::Empty: return top ? "" : "()";
        case Node::Class: {
            std::string s = n.negated ? "[^" : "[";
            for (const auto& [a, b] : n.ranges) {
                s += spellChar(a, n.spelling, true);
                if (b != a) s += "-" + spellChar(b, n.spelling + 1, true);
            }
            return s + "]";
        }
        case Node::Concat: {
            auto part = [](const Node& c) { return c.kind == Node::Union ? grouped(c) : render(c, false); };
            return part(*n.left) + part(*n.right);
        }
        case Node::Union: {
            std::string s = render(*n.left, true) + "|" + render(*n.right, true);
            return top ? s : "(" + s + ")";
        }
        case Node::Star: return grouped(*n.left) + "*";
        case Node::Plus: return grouped(*n.left) + "+";
        case Node::Optional: return grouped(*n.left) + "?";
    }
    return "";
}

// ---- matching -----------------------------------------------------------

struct Text {
    std::vector<Code> codes;
    std::vector<std::size_t> offsets;  // byte offset of each character, and of the end
    Code separator;
};

Text decode(const std::string& bytes, bool lf) {
    Text t;
    t.separator = lf ? 10 : 13;
    std::size_t i = 0;
    while (i < bytes.size() && bytes[i] != 0) {
        t.offsets.push_back(i);
        unsigned c = static_cast<unsigned char>(bytes[i]);
        if (isLead(c) && i + 1 < bytes.size() && bytes[i + 1] != 0) {
            t.codes.push_back(static_cast<Code>(c << 8 | static_cast<unsigned char>(bytes[i + 1])));
            i += 2;
        } else {
            t.codes.push_back(static_cast<Code>(c));
            i += 1;
        }
    }
    t.offsets.push_back(i);
    return t;
}

bool anyChar(Code c) { return c >= 1 && c <= 0xFCFC && c != 10 && c != 13; }

bool inClass(const Node& n, Code c) {
    bool listed = std::any_of(n.ranges.begin(), n.ranges.end(),
                              [c](const auto& r) { return r.first <= c && c <= r.second; });
    return n.negated ? anyChar(c) && !listed : listed;
}

using Ends = std::set<std::size_t>;

Ends ends(const Node& n, const Text& t, std::size_t i, bool atEntry, bool atFinal);

Ends one(const Text& t, std::size_t i, bool ok) { return (i < t.codes.size() && ok) ? Ends{i + 1} : Ends{}; }

Ends repeat(const Node& body, const Text& t, Ends from) {
    Ends reached = from;
    std::vector<std::size_t> frontier(from.begin(), from.end());
    while (!frontier.empty()) {
        std::size_t j = frontier.back();
        frontier.pop_back();
        for (std::size_t k : ends(body, t, j, false, false))
            if (reached.insert(k).second) frontier.push_back(k);
    }
    return reached;
}

Ends ends(const Node& n, const Text& t, std::size_t i, bool atEntry, bool atFinal) {
    const bool more = i < t.codes.size();
    const Code c = more ? t.codes[i] : 0;
    switch (n.kind) {
        case Node::Char: return one(t, i, c == n.code);
        case Node::Class: return one(t, i, inClass(n, c));
        case Node::Any: return one(t, i, anyChar(c));
        case Node::Head:
            if (!atEntry) return one(t, i, c == '^');
            return (i == 0 || t.codes[i - 1] == 10) ? Ends{i} : Ends{};
        case Node::Tail:
            if (!atFinal) return one(t, i, c == '$');
            return (!more || c == t.separator) ? Ends{i} : Ends{};
        case Node::Empty: return {i};
        case Node::Concat: {
            Ends out;
            for (std::size_t j : ends(*n.left, t, i, atEntry, false)) {
                Ends r = ends(*n.right, t, j, false, atFinal);
                out.insert(r.begin(), r.end());
            }
            return out;
        }
        case Node::Union: {
            Ends out = ends(*n.left, t, i, atEntry, atFinal);
            Ends r = ends(*n.right, t, i, atEntry, atFinal);
            out.insert(r.begin(), r.end());
            return out;
        }
        case Node::Star: return repeat(*n.left, t, {i});
        case Node::Plus: return repeat(*n.left, t, ends(*n.left, t, i, atEntry, false));
        case Node::Optional: {
            Ends out = ends(*n.left, t, i, atEntry, atFinal);
            out.insert(i);
            return out;
        }
    }
    return {};
}

// ---- generation ---------------------------------------------------------

const std::vector<Code> kAlphabet = {
    'a', 'b', 'c', '^', '$', '\\', ']', '-', '[', ' ', '\t', 13, 10,
    0xB1,    // ｱ, a single-byte katakana
    0x835C,  // ソ, trail byte 0x5C
    0x835D,  // ゾ, trail byte 0x5D
    0x955C,  // 表, trail byte 0x5C
    0x8140, 0x889F, 0xE05D, 0xFCFC,
    0xFC5C,  // the last lead byte with trail 0x5C
    0xFCFD,  // decodable but beyond the any-character set
};

Code pick(std::mt19937& rng, const std::vector<Code>& from) {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(rng)];
}

std::unique_ptr<Node> leaf(std::mt19937& rng) {
    auto n = std::make_unique<Node>();
    n->spelling = static_cast<int>(rng() % 7);
    switch (rng() % 10) {
        case 0: case 1: case 2: case 3:
            n->kind = Node::Char;
            n->code = rng() % 20 == 0 ? Code(0x82) : pick(rng, kAlphabet);
            break;
        case 4: case 5: {
            n->kind = Node::Class;
            n->negated = rng() % 3 == 0;
            const std::size_t items = 1 + rng() % 3;
            for (std::size_t k = 0; k < items; ++k) {
                Code a = pick(rng, kAlphabet), b = rng() % 2 ? a : pick(rng, kAlphabet);
                n->ranges.emplace_back(std::min(a, b), std::max(a, b));
            }
            break;
        }
        case 6: n->kind = Node::Any; break;
        case 7: n->kind = Node::Head; break;
        case 8: n->kind = Node::Tail; break;
        default: n->kind = Node::Empty; break;
    }
    return n;
}

std::unique_ptr<Node> tree(std::mt19937& rng, int depth) {
    if (depth == 0 || (depth < 4 && rng() % 3 == 0)) return leaf(rng);
    auto n = std::make_unique<Node>();
    switch (rng() % 7) {
        case 0: case 1: case 2: n->kind = Node::Concat; break;
        case 3: case 4: n->kind = Node::Union; break;
        case 5: n->kind = rng() % 2 ? Node::Star : Node::Plus; break;
        default: n->kind = Node::Optional; break;
    }
    n->left = tree(rng, depth - 1);
    if (n->kind == Node::Concat || n->kind == Node::Union) n->right = tree(rng, depth - 1);
    return n;
}

bool hasAnchorNode(const Node& n) {
    if (n.kind == Node::Head || n.kind == Node::Tail) return true;
    return (n.left && hasAnchorNode(*n.left)) || (n.right && hasAnchorNode(*n.right));
}

bool consumesLineBreak(const Node& n) {
    auto isBreak = [](Code c) { return c == 10 || c == 13; };
    if (n.kind == Node::Char && isBreak(n.code)) return true;
    if (n.kind == Node::Class && !n.negated)
        for (const auto& [a, b] : n.ranges)
            if (a <= 13 && b >= 10) return true;
    return (n.left && consumesLineBreak(*n.left)) || (n.right && consumesLineBreak(*n.right));
}

}  // namespace

std::string Render(const Node& root) { return render(root, true); }

Span Match(const Node& root, const std::string& bytes, bool lfSeparator) {
    const Text t = decode(bytes, lfSeparator);
    for (std::size_t i = 0; i <= t.codes.size(); ++i) {
        Ends e = ends(root, t, i, true, true);
        if (!e.empty()) return {true, t.offsets[i] + 1, t.offsets[*e.rbegin()] - t.offsets[i]};
    }
    return {};
}

std::unique_ptr<Node> RandomPattern(std::mt19937& rng) {
    for (;;) {
        auto p = tree(rng, 4);
        if (!(hasAnchorNode(*p) && consumesLineBreak(*p))) return p;
    }
}

std::string RandomText(std::mt19937& rng) {
    std::string text;
    const std::size_t length = rng() % 11;
    for (std::size_t k = 0; k < length; ++k) {
        Code c = pick(rng, kAlphabet);
        text += bytesOf(c);
    }
    if (rng() % 10 == 0) text += '\x82';  // a lone lead byte at the end
    return text;
}

}  // namespace reference
