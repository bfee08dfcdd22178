#include "lattice/lattice.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <new>

namespace {

// The dialogue's build makes at most 101 elements: it never grows.
constexpr int FIRST_CAPACITY = 128;

}  // namespace

template <class T>
bool SquareTable<T>::grow(int size, T fill) {
    INVARIANT(size >= size_);
    const auto total = static_cast<std::size_t>(size) * static_cast<std::size_t>(size);
    std::unique_ptr<T[]> cells(new (std::nothrow) T[total]);
    if (cells == nullptr) return false;
    std::fill(cells.get(), cells.get() + total, fill);
    for (int r = 0; r < size_; ++r) {
        std::memcpy(cells.get() + static_cast<std::size_t>(r) * static_cast<std::size_t>(size), row(r),
                    static_cast<std::size_t>(size_) * sizeof(T));
    }
    cells_ = std::move(cells);
    size_ = size;
    return true;
}

template <class T>
SquareTable<T>::SquareTable(const SquareTable &other) : size_(other.size_) {
    const auto total = static_cast<std::size_t>(size_) * static_cast<std::size_t>(size_);
    cells_.reset(new T[total]);
    std::copy(other.cells_.get(), other.cells_.get() + total, cells_.get());
}

// The tables of the lattice and of the build.
template class SquareTable<unsigned char>;
template class SquareTable<Element>;

Lattice::Lattice() {
    std::fill(std::begin(slot_named_), std::end(slot_named_), NO_ELEMENT);
    // Too little memory for the first tables leaves no way to go on at all.
    bool room = reserve(FIRST_CAPACITY);
    INVARIANT(room);
    (void)room;
}

bool Lattice::reserve(int count) {
    INVARIANT(count >= capacity() && count <= ELEMENTS_MAX);
    // Each table either grows or stays as it was: one that grew while a
    // later one could not just holds spare room.
    if (!order_.grow(count, 0) || !joins_.grow(count, NO_ELEMENT) || !meets_.grow(count, NO_ELEMENT)) return false;
    terms_.resize(static_cast<std::size_t>(count), TermRecord{0, 0, 0});
    capacity_ = count;
    return true;
}

#ifdef FREELATTICE_CHECKS
bool Lattice::tables_symmetric(int count) const {
    for (int r = 0; r < count; ++r) {
        for (int c = 0; c < r; ++c) {
            if (meet(r, c) != meet(c, r) || join(r, c) != join(c, r)) return false;
        }
    }
    return true;
}
#endif
