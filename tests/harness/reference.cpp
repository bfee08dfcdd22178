#include "reference.h"

#include <cstddef>

#include "lattice/lattice.h"

namespace reference {
namespace {

bool le(int a, int b) { return OrderMatrix[a][b] != 0; }

// Climbs to an extreme common bound, then checks that every common bound
// lies on its side; in a partial order no other can be the answer.
int bound(int a, int b, int n, bool lower) {
    // x lies beyond y: below it for a meet, above it for a join.
    auto beyond = [lower](int x, int y) { return lower ? le(x, y) : le(y, x); };
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

int meet(int a, int b, int n) { return bound(a, b, n, true); }
int join(int a, int b, int n) { return bound(a, b, n, false); }

std::string slot_names(std::string_view generator_names) {
    std::string names(generator_names);
    for (int k = 0; k < 62 + 128 && names.size() < MAX_ELEMENTS; ++k) {
        int c = k < 10 ? '0' + k : k < 36 ? 'A' + k - 10 : k < 62 ? 'a' + k - 36 : 128 + k - 62;
        if (generator_names.find(static_cast<char>(c)) == std::string_view::npos) names += static_cast<char>(c);
    }
    return names;
}

const char *partial_order_fault(int n) {
    for (int a = 0; a < n; ++a) {
        if (!le(a, a)) return "order not reflexive";
        for (int b = 0; b < n; ++b) {
            if (OrderMatrix[a][b] > 1) return "order entry other than 0 and 1";
            if (a != b && le(a, b) && le(b, a)) return "order not antisymmetric";
            if (!le(a, b)) continue;
            for (int c = 0; c < n; ++c) {
                if (le(b, c) && !le(a, c)) return "order not transitive";
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

const char *closure_fault(const unsigned char *typed, int n) {
    if (n > 62) return "more than 62 generators";
    std::vector<unsigned char> r = reachability(typed, n);
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b)
            if (le(a, b) != (a == b || r[a * n + b] != 0)) return "order is not the closure of the typed pairs";
    return nullptr;
}

bool poset_is_lattice(int n) {
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b)
            if (meet(a, b, n) < 0 || join(a, b, n) < 0) return false;
    return true;
}

const char *operation_tables_fault(int n) {
    for (int r = 0; r < MAX_ELEMENTS; ++r) {
        for (int c = 0; c < MAX_ELEMENTS; ++c) {
            if (const char *fault = table_entry_fault(r, c, n)) return fault;
            if (r >= n || c >= n || c < r) continue;  // the bounds of [c][r] are those of [r][c]
            if (MeetTable[r][c] != UNDEFINED && meet(r, c, n) != MeetTable[r][c])
                return "a meet is not the greatest lower bound";
            if (JoinTable[r][c] != UNDEFINED && join(r, c, n) != JoinTable[r][c])
                return "a join is not the least upper bound";
        }
    }
    return nullptr;
}

int incomparable_pairs_with_bounds(int n) {
    int count = 0;
    for (int a = 0; a < n; ++a) {
        for (int b = a + 1; b < n; ++b) {
            if (le(a, b) || le(b, a)) continue;
            if (meet(a, b, n) >= 0) ++count;
            if (join(a, b, n) >= 0) ++count;
        }
    }
    return count;
}

}  // namespace reference
