#include "reference.h"

#include <cstddef>

#include "lattice/lattice.h"

namespace reference {
namespace {

bool le(const Lattice &lattice, int a, int b) { return lattice.leq(a, b); }

// Climbs to an extreme common bound, then checks that every common bound
// lies on its side; in a partial order no other can be the answer.
int bound(const Lattice &lattice, int a, int b, int n, bool lower) {
    // x lies beyond y: below it for a meet, above it for a join.
    auto beyond = [&lattice, lower](int x, int y) { return lower ? le(lattice, x, y) : le(lattice, y, x); };
    int best = -1;
    for (int z = 0; z < n; ++z)
        if (beyond(z, a) && beyond(z, b) && (best < 0 || beyond(best, z))) best = z;
    for (int z = 0; z < n && best >= 0; ++z)
        if (beyond(z, a) && beyond(z, b) && !beyond(z, best)) return -1;
    return best;
}

}  // namespace

std::vector<unsigned char> reachability(const unsigned char *typed, int n) {
    std::vector<unsigned char> r(static_cast<std::size_t>(n > 0 ? n * n : 0));
    for (std::size_t k = 0; k < r.size(); ++k) r[k] = typed[k] != 0;
    for (int k = 0; k < n; ++k)
        for (int a = 0; a < n; ++a)
            if (r[a * n + k])
                for (int b = 0; b < n; ++b)
                    if (r[k * n + b]) r[a * n + b] = 1;
    return r;
}

int meet(const Lattice &lattice, int a, int b, int n) { return bound(lattice, a, b, n, true); }
int join(const Lattice &lattice, int a, int b, int n) { return bound(lattice, a, b, n, false); }

std::string slot_names(std::string_view generator_names) {
    std::string names(generator_names);
    for (int k = 0; k < 62 + 128; ++k) {
        int c = k < 10 ? '0' + k : k < 36 ? 'A' + k - 10 : k < 62 ? 'a' + k - 36 : 128 + k - 62;
        if (generator_names.find(static_cast<char>(c)) == std::string_view::npos) names += static_cast<char>(c);
    }
    return names;
}

const char *partial_order_fault(const Lattice &lattice, int n) {
    for (int a = 0; a < n; ++a) {
        if (!le(lattice, a, a)) return "order not reflexive";
        for (int b = 0; b < n; ++b) {
            if (lattice.order_row(a)[b] > 1) return "order entry other than 0 and 1";
            if (a != b && le(lattice, a, b) && le(lattice, b, a)) return "order not antisymmetric";
            if (!le(lattice, a, b)) continue;
            for (int c = 0; c < n; ++c) {
                if (le(lattice, b, c) && !le(lattice, a, c)) return "order not transitive";
            }
        }
    }
    return nullptr;
}

bool has_cycle(const unsigned char *typed, int n) {
    std::vector<unsigned char> r = reachability(typed, n);
    for (int a = 0; a < n; ++a)
        if (r[a * n + a]) return true;
    return false;
}

const char *closure_fault(const Lattice &lattice, const unsigned char *typed, int n) {
    if (n > 62) return "more than 62 generators";
    std::vector<unsigned char> r = reachability(typed, n);
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b)
            if (le(lattice, a, b) != (a == b || r[a * n + b] != 0)) return "order is not the closure of the typed pairs";
    return nullptr;
}

bool poset_is_lattice(const Lattice &lattice, int n) {
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b)
            if (meet(lattice, a, b, n) < 0 || join(lattice, a, b, n) < 0) return false;
    return true;
}

const char *operation_tables_fault(const Lattice &lattice, int n) {
    for (int r = 0; r < lattice.capacity(); ++r) {
        for (int c = 0; c < lattice.capacity(); ++c) {
            if (const char *fault = table_entry_fault(lattice, r, c, n)) return fault;
            if (r >= n || c >= n || c < r) continue;  // the bounds of [c][r] are those of [r][c]
            if (lattice.meet(r, c) != NO_ELEMENT && meet(lattice, r, c, n) != lattice.meet(r, c))
                return "a meet is not the greatest lower bound";
            if (lattice.join(r, c) != NO_ELEMENT && join(lattice, r, c, n) != lattice.join(r, c))
                return "a join is not the least upper bound";
        }
    }
    return nullptr;
}

int incomparable_pairs_with_bounds(const Lattice &lattice, int n) {
    int count = 0;
    for (int a = 0; a < n; ++a) {
        for (int b = a + 1; b < n; ++b) {
            if (le(lattice, a, b) || le(lattice, b, a)) continue;
            if (meet(lattice, a, b, n) >= 0) ++count;
            if (join(lattice, a, b, n) >= 0) ++count;
        }
    }
    return count;
}

namespace {

// The shapes' orders on positions 0..size-1: entry [i][j] is 1 when i < j.
struct Shape {
    int size;
    unsigned char less[5][5];
};

const Shape WILLE_SHAPES[] = {
    {3, {}},                                                     // 1+1+1
    {4, {{0, 1, 0, 0}, {0}, {0, 0, 0, 1}, {0}}},                 // 2+2: 0<1, 2<3
    {5, {{0}, {0, 0, 1, 1, 1}, {0, 0, 0, 1, 1}, {0, 0, 0, 0, 1}, {0}}},  // 1+4: 0; 1<2<3<4
};

}  // namespace

bool has_wille_subset(const Lattice &lattice, int n) {
    for (const Shape &shape : WILLE_SHAPES) {
        std::vector<int> pick(static_cast<std::size_t>(shape.size));
        // Every arrangement of distinct elements: a counter over n^size.
        long total = 1;
        for (int i = 0; i < shape.size; ++i) total *= n;
        for (long code = 0; code < total; ++code) {
            long rest = code;
            for (int &p : pick) {
                p = static_cast<int>(rest % n);
                rest /= n;
            }
            bool fits = true;
            for (int i = 0; i < shape.size && fits; ++i)
                for (int j = 0; j < shape.size && fits; ++j) {
                    int a = pick[static_cast<std::size_t>(i)], b = pick[static_cast<std::size_t>(j)];
                    if (i != j && a == b) fits = false;
                    else if (i != j) fits = lattice.leq(a, b) == (shape.less[i][j] != 0);
                }
            if (fits) return true;
        }
    }
    return false;
}

}  // namespace reference
