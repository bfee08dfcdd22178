// The order is already transitive, so a comparable pair is a cover exactly
// when no third element lies between its ends. The order is read once into
// rows of bits, above and below each element, so that each pair is decided a
// word of 64 elements at a time: thousands of elements take seconds, not
// hours.
#include "export/covers.h"

#include <cstdint>

namespace {

using Word = std::uint64_t;

class BitRows {
public:
    BitRows(int count, int words_per_row)
        : words_(words_per_row),
          bits_(static_cast<std::size_t>(count) * static_cast<std::size_t>(words_per_row)) {}
    Word *row(int r) { return bits_.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(words_); }
    const Word *row(int r) const {
        return bits_.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(words_);
    }
    static void set(Word *row, int c) { row[c / 64] |= Word{1} << (c % 64); }

private:
    int words_;
    std::vector<Word> bits_;
};

}  // namespace

std::vector<CoveringPair> covering_pairs(const Lattice &lattice, int count) {
    const int words = (count + 63) / 64;
    // above.row(x): every z with x < z; below.row(y): every z with z < y.
    BitRows above(count, words);
    BitRows below(count, words);
    for (int x = 0; x < count; ++x) {
        const unsigned char *order = lattice.order_row(x);
        for (int z = 0; z < count; ++z) {
            if (z == x || order[z] == 0) continue;
            BitRows::set(above.row(x), z);
            BitRows::set(below.row(z), x);
        }
    }
    std::vector<CoveringPair> pairs;
    for (int lower = 0; lower < count; ++lower) {
        const unsigned char *order = lattice.order_row(lower);
        const Word *over = above.row(lower);
        for (int upper = 0; upper < count; ++upper) {
            if (upper == lower || order[upper] == 0) continue;
            const Word *under = below.row(upper);
            bool between = false;
            for (int w = 0; w < words && !between; ++w) between = (over[w] & under[w]) != 0;
            if (!between) pairs.push_back({lower, upper});
        }
    }
    return pairs;
}
