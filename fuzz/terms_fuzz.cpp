// Fuzzes the relation parser, the decision and the explanation through the
// module's interface alone, and checks laws that hold in every lattice,
// whatever the terms.
//
// Input: 7 bytes choose a partial lattice over the generators a..f (byte 0:
// their number; bytes 1-2: which pairs i < j are ordered, closed
// transitively; bytes 3-4 and 5-6: which meets and joins that exist in the
// poset are declared defined), then the text. The whole text is parsed as a
// relation, decided and explained; split at its first '|', its two parts are
// taken as terms s and t for the laws.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "terms/relations.h"

namespace {

constexpr std::size_t HEADER = 7;
constexpr int MAX_GENERATORS = 6;
// Explanations cost more than decisions: only for shorter texts.
constexpr std::size_t EXPLAINED_LENGTH = 4000;

[[noreturn]] void fail(const std::string &what) {
    std::fprintf(stderr, "terms: %s\n", what.c_str());
    std::abort();
}

std::uint64_t bit(int i) { return std::uint64_t{1} << i; }

// The greatest element of a set of generators given as bits, or -1.
int greatest(const Presentation &p, std::uint64_t set) {
    for (int z = 0; z < p.count; ++z)
        if ((set & bit(z)) != 0 && (set & ~p.below[z]) == 0) return z;
    return -1;
}

int least(const Presentation &p, std::uint64_t set) {
    for (int z = 0; z < p.count; ++z)
        if ((set & bit(z)) != 0 && (set & ~p.above[z]) == 0) return z;
    return -1;
}

Presentation make_presentation(const std::uint8_t *header) {
    Presentation p{};
    p.count = 1 + header[0] % MAX_GENERATORS;
    unsigned order = header[1] | static_cast<unsigned>(header[2]) << 8U;
    unsigned meets = header[3] | static_cast<unsigned>(header[4]) << 8U;
    unsigned joins = header[5] | static_cast<unsigned>(header[6]) << 8U;
    for (int i = 0; i < p.count; ++i) {
        p.name[i] = static_cast<unsigned char>('a' + i);
        p.above[i] = bit(i);
    }
    int pair = 0;
    for (int i = 0; i < p.count; ++i)
        for (int j = i + 1; j < p.count; ++j, ++pair)
            if ((order >> pair & 1U) != 0) p.above[i] |= bit(j);
    // Transitive closure; i < j only, so one pass from the top down does it.
    for (int i = p.count - 1; i >= 0; --i)
        for (int j = i + 1; j < p.count; ++j)
            if ((p.above[i] & bit(j)) != 0) p.above[i] |= p.above[j];
    for (int i = 0; i < p.count; ++i)
        for (int j = 0; j < p.count; ++j)
            if ((p.above[i] & bit(j)) != 0) p.below[j] |= bit(i);
    pair = 0;
    for (int i = 0; i < p.count; ++i) {
        p.meet[i][i] = p.join[i][i] = static_cast<unsigned char>(i);
        for (int j = i + 1; j < p.count; ++j, ++pair) {
            bool comparable = ((p.above[i] | p.below[i]) & bit(j)) != 0;
            int meet = greatest(p, p.below[i] & p.below[j]);
            int join = least(p, p.above[i] & p.above[j]);
            bool meet_defined = comparable || (meets >> pair & 1U) != 0;
            bool join_defined = comparable || (joins >> pair & 1U) != 0;
            p.meet[i][j] = p.meet[j][i] = meet_defined && meet >= 0 ? static_cast<unsigned char>(meet) : UNDEFINED;
            p.join[i][j] = p.join[j][i] = join_defined && join >= 0 ? static_cast<unsigned char>(join) : UNDEFINED;
        }
    }
    return p;
}

enum Verdict { REFUSED, FALSE, TRUE };

Verdict decide(const Presentation &p, const std::string &text) {
    TermGraph terms;
    terms.reset(p);
    ParsedRelation r;
    RelationError error;
    if (!parse_relation(text, terms, r, error)) {
        if (error.position == 0 || error.position > text.size() + 1 || error.reason.empty())
            fail("error out of place for " + text.substr(0, 80));
        return REFUSED;
    }
    OrderDecision decision(terms);
    return relation_holds(decision, r) ? TRUE : FALSE;
}

void expect(const Presentation &p, const std::string &text, Verdict wanted) {
    Verdict got = decide(p, text);
    // A law may not fit the bounds once its terms are wrapped: no verdict.
    if (got != REFUSED && got != wanted) fail("law broken: " + text.substr(0, 200));
}

void check_laws(const Presentation &p, const std::string &s, const std::string &t) {
    std::string ps = "(" + s + ")", pt = "(" + t + ")";
    expect(p, s + "<=" + s, TRUE);
    expect(p, s + "=" + s, TRUE);
    expect(p, s + "<=" + ps + "+" + pt, TRUE);
    expect(p, pt + "<=" + ps + "+" + pt, TRUE);
    expect(p, ps + pt + ">=" + ps + "." + pt, TRUE);
    expect(p, ps + pt + "<=" + t, TRUE);
    expect(p, ps + "(" + ps + "+" + pt + ")=" + s, TRUE);
    expect(p, ps + "+" + ps + pt + "=" + s, TRUE);
    expect(p, ps + "+" + pt + "=" + pt + "+" + ps, TRUE);

    Verdict below = decide(p, s + "<=" + t);
    Verdict above = decide(p, s + ">=" + t);
    Verdict equal = decide(p, s + "=" + t);
    if (below == REFUSED || above == REFUSED || equal == REFUSED) return;
    Verdict reversed = decide(p, t + "<=" + s);
    if (reversed != REFUSED && above != reversed) fail(">= is not <= reversed: " + s + " | " + t);
    if ((equal == TRUE) != (below == TRUE && above == TRUE)) fail("= is not both ways: " + s + " | " + t);
    // s <= t joins s+t with t, and meets st with s.
    expect(p, ps + "+" + pt + "=" + t, below);
    expect(p, ps + pt + "=" + s, below);
    // Through every generator g: s <= t <= g gives s <= g, g <= s <= t gives g <= t.
    for (int g = 0; g < p.count && below == TRUE; ++g) {
        std::string name(1, static_cast<char>(p.name[g]));
        if (decide(p, t + "<=" + name) == TRUE) expect(p, s + "<=" + name, TRUE);
        if (decide(p, name + "<=" + s) == TRUE) expect(p, name + "<=" + t, TRUE);
    }
}

// The term as the module prints it in full reads back as the same term, and
// prints the same again.
void check_printing(const Presentation &p, const std::string &s) {
    TermGraph terms;
    terms.reset(p);
    ParsedRelation r;
    RelationError error;
    if (!parse_relation(s + "=" + s, terms, r, error)) return;
    std::string printed;
    terms.append_text(r.left, printed);
    if (printed.size() > s.size()) fail("printed longer than typed: " + s);
    TermGraph again_terms;
    again_terms.reset(p);
    ParsedRelation again;
    if (!parse_relation(printed + "=" + s, again_terms, again, error)) fail("printed term refused: " + printed);
    std::string reprinted;
    again_terms.append_text(again.left, reprinted);
    if (reprinted != printed || again.left != again.right) fail("printed term reads back otherwise: " + printed);
}

// Generators compare as in P, and the meets and joins it defines hold.
void check_generators(const Presentation &p) {
    for (int i = 0; i < p.count; ++i)
        for (int j = 0; j < p.count; ++j) {
            std::string x(1, static_cast<char>(p.name[i])), y(1, static_cast<char>(p.name[j]));
            expect(p, x + "<=" + y, (p.above[i] & bit(j)) != 0 ? TRUE : FALSE);
            if (p.meet[i][j] != UNDEFINED) expect(p, x + y + "=" + static_cast<char>(p.name[p.meet[i][j]]), TRUE);
            if (p.join[i][j] != UNDEFINED) expect(p, x + "+" + y + "=" + static_cast<char>(p.name[p.join[i][j]]), TRUE);
        }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < HEADER) return 0;
    Presentation p = make_presentation(data);
    std::string text(reinterpret_cast<const char *>(data + HEADER), size - HEADER);

    TermGraph terms;
    terms.reset(p);
    ParsedRelation r;
    RelationError error;
    if (parse_relation(text, terms, r, error)) {
        OrderDecision decision(terms);
        relation_holds(decision, r);
        if (text.size() <= EXPLAINED_LENGTH) {
            std::string explanation;
            explain_relation(decision, r, explanation);
            // The first paragraph, or the first label it introduces before it.
            bool starts = explanation.rfind("  1. ", 0) == 0 || explanation.rfind("  [1] = ", 0) == 0;
            if (!starts || explanation.back() != '\n') fail("explanation: " + text);
        }
    } else if (error.position == 0 || error.position > text.size() + 1) {
        fail("error out of place");
    }

    if (data[0] / MAX_GENERATORS % 8 == 0) check_generators(p);
    std::size_t bar = text.find('|');
    if (bar == std::string::npos) return 0;
    std::string s = text.substr(0, bar), t = text.substr(bar + 1);
    if (decide(p, s + "<=" + t) == REFUSED) return 0;
    check_printing(p, s);
    check_laws(p, s, t);
    return 0;
}
