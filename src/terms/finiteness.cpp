#include "terms/finiteness.h"

#include <bit>
#include <cstdint>
#include <vector>

#include "terms/order_decision.h"
#include "terms/term_graph.h"

namespace {

std::uint64_t bit(int i) { return std::uint64_t{1} << i; }

// The ordered sets whose free lattices are the smallest infinite ones. A
// copy lists its elements: 1+1+1 three; 2+2 a<b then c<d; 1+4 the lone one,
// then the chain from below.
enum class Shape : unsigned char { THREE, TWO_TWO, ONE_FOUR };

struct Copy {
    Shape shape;
    int element[5];
    int size;
};

// Copies tried against the operations P defines before giving up: each try
// decides a few small relations per defined operation.
constexpr int COPIES_TRIED = 500;

class Search {
public:
    explicit Search(const Presentation &p) : p_(p) {}

    // Calls accept on each copy of shape in P in a fixed order until it
    // returns true or the tries run out; whether one was accepted.
    template <class Accept>
    bool find(Shape shape, int &tries, Accept accept) const;

private:
    std::uint64_t comparable(int i) const { return p_.above[i] | p_.below[i]; }
    std::uint64_t strictly_above(int i) const { return p_.above[i] & ~bit(i); }
    // At most 62 generators: the shift never reaches 64.
    std::uint64_t all() const { return bit(p_.count) - 1; }

    const Presentation &p_;
};

template <class Accept>
bool Search::find(Shape shape, int &tries, Accept accept) const {
    auto offer = [&](Copy copy) { return tries-- > 0 && accept(copy); };
    auto each = [](std::uint64_t set, auto visit) {
        for (; set != 0; set &= set - 1)
            if (visit(std::countr_zero(set))) return true;
        return false;
    };
    std::uint64_t everything = all();
    if (shape == Shape::THREE)
        return each(everything, [&](int a) {
            return each(everything & ~comparable(a) & ~(bit(a + 1) - 1), [&](int b) {
                return each(everything & ~comparable(a) & ~comparable(b) & ~(bit(b + 1) - 1),
                            [&](int c) { return offer({shape, {a, b, c, 0, 0}, 3}); });
            });
        });
    if (shape == Shape::TWO_TWO)
        return each(everything, [&](int a) {
            return each(strictly_above(a), [&](int b) {
                std::uint64_t apart = everything & ~comparable(a) & ~comparable(b) & ~(bit(a + 1) - 1);
                return each(apart, [&](int c) {
                    return each(strictly_above(c) & apart, [&](int d) { return offer({shape, {a, b, c, d, 0}, 4}); });
                });
            });
        });
    return each(everything, [&](int b) {
        return each(strictly_above(b), [&](int c) {
            return each(strictly_above(c), [&](int d) {
                return each(strictly_above(d), [&](int e) {
                    std::uint64_t apart = everything & ~comparable(b) & ~comparable(c) & ~comparable(d) & ~comparable(e);
                    return each(apart, [&](int a) { return offer({shape, {a, b, c, d, e}, 5}); });
                });
            });
        });
    });
}

bool nothing_defined(const Presentation &p) {
    for (int i = 0; i < p.count; ++i)
        for (int j = 0; j < p.count; ++j)
            if (((p.above[i] | p.below[i]) & bit(j)) == 0 && (p.meet[i][j] != UNDEFINED || p.join[i][j] != UNDEFINED))
                return false;
    return true;
}

// Whether x goes to the join in FL(Q) of the elements of the copy below it
// (the meet of those above it, dually) keeping every meet and join P
// defines. Q is the copy with the order P gives it and nothing defined.
bool maps_onto(const Presentation &p, const Copy &copy, bool joins) {
    Presentation q{};
    q.count = copy.size;
    for (int i = 0; i < copy.size; ++i) {
        q.name[i] = p.name[copy.element[i]];
        for (int j = 0; j < copy.size; ++j) {
            bool below = (p.above[copy.element[i]] & bit(copy.element[j])) != 0;
            bool above = (p.below[copy.element[i]] & bit(copy.element[j])) != 0;
            if (below) {
                q.above[i] |= bit(j);
                q.below[j] |= bit(i);
            }
            // Comparable elements meet in the lesser and join in the greater.
            auto lesser = static_cast<unsigned char>(below ? i : j);
            auto greater = static_cast<unsigned char>(below ? j : i);
            q.meet[i][j] = below || above ? lesser : UNDEFINED;
            q.join[i][j] = below || above ? greater : UNDEFINED;
        }
    }
    TermGraph terms;
    terms.reset(q);
    OrderDecision decision(terms);
    TermKind kind = joins ? TermKind::JOIN : TermKind::MEET;
    TermKind other = joins ? TermKind::MEET : TermKind::JOIN;
    auto combine = [&](TermKind k, std::vector<std::uint32_t> &operands) {
        return operands.size() == 1 ? static_cast<int>(operands[0])
                                    : terms.compound(k, operands.data(), static_cast<std::uint32_t>(operands.size()));
    };
    std::vector<std::uint32_t> generators;
    generators.reserve(static_cast<std::size_t>(copy.size));
    for (int i = 0; i < copy.size; ++i) generators.push_back(static_cast<std::uint32_t>(TermGraph::generator(i)));
    // Nothing of Q below x: the least element of FL(Q) (the greatest, dually).
    int extreme = combine(other, generators);
    std::vector<int> image(static_cast<std::size_t>(p.count));
    for (int x = 0; x < p.count; ++x) {
        std::vector<std::uint32_t> under;
        for (int i = 0; i < copy.size; ++i)
            if (((joins ? p.below[x] : p.above[x]) & bit(copy.element[i])) != 0) under.push_back(generators[i]);
        image[static_cast<std::size_t>(x)] = under.empty() ? extreme : combine(kind, under);
    }
    auto equal = [&](int s, int t) { return decision.below(s, t) && decision.below(t, s); };
    for (int x = 0; x < p.count; ++x)
        for (int y = x + 1; y < p.count; ++y) {
            if (((p.above[x] | p.below[x]) & bit(y)) != 0) continue;
            std::uint32_t pair[2] = {static_cast<std::uint32_t>(image[static_cast<std::size_t>(x)]),
                                     static_cast<std::uint32_t>(image[static_cast<std::size_t>(y)])};
            if (p.join[x][y] != UNDEFINED &&
                !equal(image[p.join[x][y]], pair[0] == pair[1] ? image[static_cast<std::size_t>(x)]
                                                                : terms.compound(TermKind::JOIN, pair, 2)))
                return false;
            if (p.meet[x][y] != UNDEFINED &&
                !equal(image[p.meet[x][y]], pair[0] == pair[1] ? image[static_cast<std::size_t>(x)]
                                                                : terms.compound(TermKind::MEET, pair, 2)))
                return false;
        }
    return true;
}

std::string described(const Presentation &p, const Copy &copy) {
    auto name = [&](int k) { return std::string(1, static_cast<char>(p.name[copy.element[k]])); };
    switch (copy.shape) {
    case Shape::THREE:
        return "1+1+1 (" + name(0) + ", " + name(1) + ", " + name(2) + ")";
    case Shape::TWO_TWO:
        return "2+2 (" + name(0) + "<" + name(1) + ", " + name(2) + "<" + name(3) + ")";
    case Shape::ONE_FOUR:
        break;
    }
    return "1+4 (" + name(0) + ", " + name(1) + "<" + name(2) + "<" + name(3) + "<" + name(4) + ")";
}

}  // namespace

FinitenessVerdict finiteness_verdict(const Presentation &p, bool closed, int limit) {
    if (closed) return {Finiteness::FINITE, "FL(P) is finite."};
    Search search(p);
    bool plain = nothing_defined(p);
    Copy found{};
    int tries = plain ? 1 : COPIES_TRIED;
    for (Shape shape : {Shape::THREE, Shape::TWO_TWO, Shape::ONE_FOUR}) {
        bool mapped = search.find(shape, tries, [&](const Copy &copy) {
            found = copy;
            return plain || maps_onto(p, copy, true) || maps_onto(p, copy, false);
        });
        if (mapped && plain) return {Finiteness::INFINITE, "FL(P) is infinite: P contains " + described(p, found) + "."};
        if (mapped)
            return {Finiteness::INFINITE, "FL(P) is infinite: P contains " + described(p, found) +
                                              ", and FL(P) maps onto its free lattice."};
        if (plain) tries = 1;
    }
    if (plain) return {Finiteness::FINITE, "FL(P) is finite."};
    return {Finiteness::UNDECIDED, "Whether FL(P) is finite is not decided beyond " + std::to_string(limit) + " elements."};
}
