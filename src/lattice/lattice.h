// The lattice a run builds, as one value: the poset P on the generators and
// their names, the elements made from them with their terms, the order, and
// the join and meet tables. It is sized at run time and grows as the build
// makes elements; the phases fill it, the exports and the word problem read
// it, and it is always passed to them explicitly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "checks/invariant.h"

// An element's index. Tables hold NO_ELEMENT where a join or meet is not
// known: not defined in P, or not formed yet.
using Element = std::uint16_t;
constexpr Element NO_ELEMENT = 0xFFFF;

// Every index below NO_ELEMENT can be an element.
constexpr int ELEMENTS_MAX = NO_ELEMENT;

// Generators are named by one letter or digit each.
constexpr int GENERATORS_MAX = 62;

// The naming sequence 0-9, A-Z, a-z, then the codes 128..255: its 190
// characters name the first 190 elements; later ones have no name.
constexpr int NAMES_MAX = 190;

constexpr unsigned char OP_MEET = 0;
constexpr unsigned char OP_JOIN = 1;

// The defining term of a generated element: operation, then its two operands
// (both indices below the element's own).
struct TermRecord {
    unsigned char operation;
    Element left;
    Element right;
};

// A square table of size x size entries, row by row, that keeps its entries
// when it grows.
template <class T>
class SquareTable {
public:
    SquareTable() = default;
    SquareTable(const SquareTable &other);
    SquareTable &operator=(const SquareTable &other) {
        SquareTable copy(other);
        *this = std::move(copy);
        return *this;
    }
    SquareTable(SquareTable &&) noexcept = default;
    SquareTable &operator=(SquareTable &&) noexcept = default;
    ~SquareTable() = default;

    // Grows to size (at least the size now), new entries fill. False when
    // memory is short; the table is unchanged then.
    bool grow(int size, T fill);
    int size() const { return size_; }
    T *row(int r) { return cells_.get() + static_cast<std::size_t>(r) * static_cast<std::size_t>(size_); }
    const T *row(int r) const {
        return cells_.get() + static_cast<std::size_t>(r) * static_cast<std::size_t>(size_);
    }

private:
    std::unique_ptr<T[]> cells_;
    int size_ = 0;
};

class Lattice {
public:
    // Nothing named, no order, every join and meet unknown; room for the
    // generators and the elements of the dialogue's build.
    Lattice();

    // Room for elements 0..count-1 (count at least the room now, and at
    // most ELEMENTS_MAX), keeping everything held. False when memory is
    // short; nothing changes then.
    bool reserve(int count);
    int capacity() const { return capacity_; }

    // p <= q. Entries are only ever set, apart from a whole new start.
    bool leq(int p, int q) const { return order_.row(p)[q] != 0; }
    void set_leq(int p, int q) {
        INVARIANT(p >= 0 && p < capacity() && q >= 0 && q < capacity());
        order_.row(p)[q] = 1;
    }
    // Row p of the order over every element held: entry q is p <= q.
    const unsigned char *order_row(int p) const { return order_.row(p); }

    Element join(int r, int c) const { return joins_.row(r)[c]; }
    Element meet(int r, int c) const { return meets_.row(r)[c]; }
    // Row r of a table: entry c is the join (meet) of r and c.
    const Element *join_row(int r) const { return joins_.row(r); }
    const Element *meet_row(int r) const { return meets_.row(r); }
    // Stores value as the join (meet) of r and c, both ways round: the
    // tables are symmetric, and every writer keeps them so.
    void store_join(int r, int c, int value) { store_symmetric(joins_, r, c, value); }
    void store_meet(int r, int c, int value) { store_symmetric(meets_, r, c, value); }
    void store(unsigned char operation, int r, int c, int value) {
        store_symmetric(operation == OP_JOIN ? joins_ : meets_, r, c, value);
    }

    const TermRecord &term(int e) const { return terms_[static_cast<std::size_t>(e)]; }
    void set_term(int e, const TermRecord &term) {
        INVARIANT(e >= 0 && e < capacity() && term.left < e && term.right < e);
        terms_[static_cast<std::size_t>(e)] = term;
    }

    // Element e's name, or 0 when it has none.
    unsigned char name(int e) const { return e < NAMES_MAX ? names_[e] : 0; }
    // The element named c, or -1.
    int named(unsigned char c) const { return slot_named_[c] == NO_ELEMENT ? -1 : slot_named_[c]; }
    void set_name(int e, unsigned char c) {
        INVARIANT(e >= 0 && e < NAMES_MAX && slot_named_[c] == NO_ELEMENT);
        names_[e] = c;
        slot_named_[c] = static_cast<Element>(e);
    }

    // The generators: elements 0..generators()-1.
    int generators() const { return generators_; }
    void set_generators(int count) {
        INVARIANT(count >= 0 && count <= GENERATORS_MAX);
        generators_ = count;
    }
    // Elements made so far, generators included.
    int elements() const { return elements_; }
    void set_elements(int count) {
        INVARIANT(count >= generators_ && count <= capacity());
        elements_ = count;
    }
    // Every join and meet of the elements made is known: FL(P) is complete.
    bool closed() const { return closed_; }
    void set_closed(bool closed) { closed_ = closed; }

#ifdef FREELATTICE_CHECKS
    // Whether the meet and join tables agree with their mirror images over
    // elements 0..count-1, as every writer keeps them. Checked builds only.
    bool tables_symmetric(int count) const;
#endif

private:
    // The tests' way to any single entry, broken tables included, for the
    // checks that must catch them.
    friend struct LatticeProbe;

    static void store_symmetric(SquareTable<Element> &table, int r, int c, int value) {
        INVARIANT(r >= 0 && r < table.size() && c >= 0 && c < table.size());
        INVARIANT((value >= 0 && value < table.size()) || value == NO_ELEMENT);
        table.row(r)[c] = static_cast<Element>(value);
        table.row(c)[r] = static_cast<Element>(value);
    }

    SquareTable<unsigned char> order_;
    SquareTable<Element> joins_;
    SquareTable<Element> meets_;
    std::vector<TermRecord> terms_;
    int capacity_ = 0;
    int generators_ = 0;
    int elements_ = 0;
    bool closed_ = false;
    unsigned char names_[NAMES_MAX] = {};
    Element slot_named_[256];
};
