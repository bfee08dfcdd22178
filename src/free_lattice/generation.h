// Grows the free lattice one element at a time.
#pragma once

#include <vector>

#include "free_lattice/new_term_order.h"
#include "lattice/lattice.h"

// What the build tells as it goes: the dialogue prints it, a quiet build
// listens to nothing.
class BuildListener {
public:
    // Element e has just been made; its term is in the lattice.
    virtual void element_made(const Lattice &lattice, int e) = 0;
    // No join or meet is left unknown: the lattice has all its elements.
    virtual void lattice_closed(const Lattice &lattice) = 0;

protected:
    BuildListener() = default;
    BuildListener(const BuildListener &) = default;
    BuildListener &operator=(const BuildListener &) = default;
    ~BuildListener() = default;
};

// The pairs of elements in the order the build resolves them: rows in order,
// each from the column after the row's own; the first pair with a join or
// meet unknown is resolved next. Each row remembers how far its pairs are
// known, so that no pair is looked at again once it is resolved.
class FreeLatticeBuilder {
public:
    // Starts from the lattice as the partial lattice's definition leaves it
    // (or as an earlier builder left it).
    explicit FreeLatticeBuilder(Lattice &lattice);

    // Room for elements 0..count-1 in the lattice and here. False when
    // memory is short for the tables.
    bool make_room(int count);

    // Resolves pairs in order until one makes the next element (the join
    // first: when it makes one, the meet waits for the next call), recording
    // for each the equal element that exists. True when an element was
    // made; otherwise the lattice is closed. Needs room for one more element.
    bool add_next_element();

    // Whether every pair left would only give elements that exist: then the
    // elements made are all of FL(P). Records nothing. Needs room for one
    // more element, where each trial is worked out.
    bool makes_no_more();

private:
    int equal_element(unsigned char operation, int r, int c);
    bool try_operation(unsigned char operation, int r, int c);
    void create_element(unsigned char operation, int r, int c);

    Lattice &lattice_;
    TrialOrder order_;
    // Per row r: every pair (r, c) with r < c < resolved_to_[r] has its join
    // and meet known.
    std::vector<int> resolved_to_;
};

// How a build ended.
enum class BuildEnd { CLOSED, LIMIT, NO_MEMORY };

// Builds until the lattice closes or elements 0..limit exist (limit + 1 of
// them, the last made after the limit was reached; at least one is made
// past the generators, and two more than the last at most ELEMENTS_MAX), telling listener (which
// may be null) each element made and the closing. The dialogue stops there,
// even when those are all the elements of FL(P); with settle_at_limit the
// build then finds out, and a lattice that has no more elements ends
// closed, with every pair known.
BuildEnd build_free_lattice(Lattice &lattice, int limit, BuildListener *listener, bool settle_at_limit = false);
