// The free lattice grows in place: the slot after the last element holds the
// trial join or meet, and keeps it when it turns out to be new.
#include "free_lattice/generation.h"

#include <algorithm>

FreeLatticeBuilder::FreeLatticeBuilder(Lattice &lattice) : lattice_(lattice), order_(lattice) {
    // A row's first pair is with the element after it.
    for (int r = 0; r < lattice.capacity(); ++r) resolved_to_.push_back(r + 1);
}

bool FreeLatticeBuilder::make_room(int count) {
    if (count <= order_.room()) return true;
    if (!lattice_.reserve(count) || !order_.grow_to(count)) return false;
    for (int r = static_cast<int>(resolved_to_.size()); r < count; ++r) resolved_to_.push_back(r + 1);
    return true;
}

void FreeLatticeBuilder::create_element(unsigned char operation, int r, int c) {
    const int x = lattice_.elements();
    // Operands come before the element they make: terms are walked downward.
    INVARIANT(r >= 0 && r < x && c >= 0 && c < x && x < lattice_.capacity());
    lattice_.set_term(x, {operation, static_cast<Element>(r), static_cast<Element>(c)});
    lattice_.store(operation, r, c, x);
    // Its joins and meets with every element it is comparable with are known
    // at once; the others are left to later pairs.
    for (int i = 0; i <= x; ++i) {
        if (order_.below_trial(i)) {
            lattice_.set_leq(i, x);
            lattice_.store_join(i, x, x);
            lattice_.store_meet(i, x, i);
        }
        if (order_.trial_below(i)) {
            lattice_.set_leq(x, i);
            lattice_.store_join(i, x, i);
            lattice_.store_meet(i, x, x);
        }
    }
    order_.keep(x);
    lattice_.set_elements(x + 1);
}

// The lowest existing element equal to r op c, or -1 when r op c is new.
int FreeLatticeBuilder::equal_element(unsigned char operation, int r, int c) {
    const int x = lattice_.elements();
    if (operation == OP_JOIN)
        order_.order_join(x, r, c);
    else
        order_.order_meet(x, r, c);
    for (int i = 0; i < x; ++i) {
        if (order_.below_trial(i) && order_.trial_below(i)) return i;
    }
    return -1;
}

// Tries r op c in the trial slot: records the equal existing element, or
// creates the next element. Returns true when it created one.
bool FreeLatticeBuilder::try_operation(unsigned char operation, int r, int c) {
    int equal = equal_element(operation, r, c);
    if (equal >= 0) {
        lattice_.store(operation, r, c, equal);
        return false;
    }
    create_element(operation, r, c);
    return true;
}

bool FreeLatticeBuilder::add_next_element() {
    const int count = lattice_.elements();
    INVARIANT(count < lattice_.capacity());
    for (int r = 0; r < count; ++r) {
        int &c = resolved_to_[r];
        for (; c < count; ++c) {
            if (lattice_.join(r, c) == NO_ELEMENT && try_operation(OP_JOIN, r, c)) return true;
            if (lattice_.meet(r, c) == NO_ELEMENT && try_operation(OP_MEET, r, c)) return true;
        }
    }
    INVARIANT(lattice_.tables_symmetric(count));
    lattice_.set_closed(true);
    return false;
}

bool FreeLatticeBuilder::makes_no_more() {
    const int count = lattice_.elements();
    INVARIANT(count < lattice_.capacity());
    for (int r = 0; r < count; ++r) {
        for (int c = resolved_to_[r]; c < count; ++c) {
            if (lattice_.join(r, c) == NO_ELEMENT && equal_element(OP_JOIN, r, c) < 0) return false;
            if (lattice_.meet(r, c) == NO_ELEMENT && equal_element(OP_MEET, r, c) < 0) return false;
        }
    }
    return true;
}

BuildEnd build_free_lattice(Lattice &lattice, int limit, BuildListener *listener, bool settle_at_limit) {
    // The limit is tested after an element is made, so the last one made is
    // element limit, or the first generated one when the generators alone
    // pass the limit.
    const int last = std::max(limit, lattice.generators());
    INVARIANT(limit >= 0 && last + 2 <= ELEMENTS_MAX);
    lattice.set_closed(false);
    FreeLatticeBuilder builder(lattice);
    for (;;) {
        const int count = lattice.elements();
        // One element past the last at most: the last look found that every
        // pair left gives an element that exists.
        INVARIANT(count <= last + 1);
        // Room for this element and the one after it (where a last look
        // works out its trials) doubles each time it runs out, never past
        // the last's, so that a large limit costs nothing until it is
        // reached.
        if (count + 2 > lattice.capacity()) {
            int wanted = std::min(last + 2, std::max(count + 2, 2 * lattice.capacity()));
            if (!builder.make_room(wanted)) return BuildEnd::NO_MEMORY;
        }
        if (!builder.add_next_element()) {
            if (listener != nullptr) listener->lattice_closed(lattice);
            return BuildEnd::CLOSED;
        }
        if (listener != nullptr) listener->element_made(lattice, count);
        if (count < limit) continue;
        // One look at the pairs left tells whether the elements made are all
        // there are; if so, the next turn resolves the pairs and closes,
        // making none: a trial that equals an element still does with more
        // of the tables known, since what they add to its order only grows.
        if (!settle_at_limit || !builder.makes_no_more()) return BuildEnd::LIMIT;
    }
}
