#include "lattice/lattice.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// The dialogue's build makes at most 101 elements: it never grows.
constexpr int FIRST_CAPACITY = 128;

}  // namespace

template <class T>
bool SquareTable<T>::grow(int size, T fill) {
    if (size <= size_) return true;
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
SquareTable<T> &SquareTable<T>::operator=(const SquareTable &other) {
    if (this == &other) return *this;
    const auto total = static_cast<std::size_t>(other.size_) * static_cast<std::size_t>(other.size_);
    cells_.reset(total == 0 ? nullptr : new T[total]);
    if (total != 0) std::memcpy(cells_.get(), other.cells_.get(), total * sizeof(T));
    size_ = other.size_;
    return *this;
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

Lattice::Lattice(const Lattice &other) { *this = other; }

Lattice &Lattice::operator=(const Lattice &other) {
    if (this == &other) return *this;
    order_ = other.order_;
    joins_ = other.joins_;
    meets_ = other.meets_;
    terms_.reset(new TermRecord[static_cast<std::size_t>(other.capacity())]);
    std::copy(other.terms_.get(), other.terms_.get() + other.capacity(), terms_.get());
    std::copy(std::begin(other.names_), std::end(other.names_), std::begin(names_));
    std::copy(std::begin(other.slot_named_), std::end(other.slot_named_), std::begin(slot_named_));
    capacity_ = other.capacity_;
    generators = other.generators;
    elements = other.elements;
    closed = other.closed;
    return *this;
}

bool Lattice::reserve(int count) {
    INVARIANT(count <= ELEMENTS_MAX);
    if (count <= capacity()) return true;
    std::unique_ptr<TermRecord[]> terms(new (std::nothrow) TermRecord[static_cast<std::size_t>(count)]);
    if (terms == nullptr) return false;
    // Each table either grows or stays as it was: one that grew while a
    // later one could not just holds spare room.
    if (!order_.grow(count, 0) || !joins_.grow(count, NO_ELEMENT) || !meets_.grow(count, NO_ELEMENT)) {
        return false;
    }
    std::fill(terms.get(), terms.get() + count, TermRecord{0, 0, 0});
    if (terms_ != nullptr) std::copy(terms_.get(), terms_.get() + capacity_, terms.get());
    terms_ = std::move(terms);
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
