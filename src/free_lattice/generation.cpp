// The free lattice grows in place: the slot after the last element holds the
// trial join or meet, and keeps it when it turns out to be new.
#include "free_lattice/generation.h"

#include "console/console.h"
#include "free_lattice/new_term_order.h"
#include "free_lattice/element_terms.h"
#include "lattice/lattice.h"

namespace {

void clear_trial_slot(int count) {
    for (int i = 0; i <= count; ++i) {
        OrderMatrix[i][count] = 0;
        OrderMatrix[count][i] = 0;
    }
}

// The lowest existing element with the same place in the order as the trial
// element, or -1 when the trial element is new.
int equal_existing_element(int count) {
    for (int i = 0; i < count; ++i)
        if (OrderMatrix[i][count] != 0 && OrderMatrix[count][i] != 0) return i;
    return -1;
}

// Element count becomes r op c. Its joins and meets with every element it is
// comparable with are known at once; the others are left to later scans.
void create_element(int count, unsigned char operation, int r, int c) {
    // Operands come before the element they make: terms are walked downward.
    INVARIANT(r >= 0 && r < count && c >= 0 && c < count && count < MAX_ELEMENTS);
    TermTable[count] = {operation, static_cast<unsigned char>(r), static_cast<unsigned char>(c)};
    store_symmetric(operation == OP_JOIN ? JoinTable : MeetTable, r, c, count);
    for (int i = 0; i <= count; ++i) {
        if (OrderMatrix[i][count] != 0) {
            store_symmetric(JoinTable, i, count, count);
            store_symmetric(MeetTable, i, count, i);
        }
        if (OrderMatrix[count][i] != 0) {
            store_symmetric(JoinTable, i, count, i);
            store_symmetric(MeetTable, i, count, count);
        }
    }
}

// Tries r op c in the trial slot: records the equal existing element, or
// creates element count. Returns true when it created one.
bool try_operation(int count, unsigned char operation, int r, int c) {
    clear_trial_slot(count);
    if (operation == OP_JOIN)
        order_new_join(count, r, c);
    else
        order_new_meet(count, r, c);
    int equal = equal_existing_element(count);
    if (equal < 0) {
        create_element(count, operation, r, c);
        return true;
    }
    store_symmetric(operation == OP_JOIN ? JoinTable : MeetTable, r, c, equal);
    return false;
}

// The join first: when it creates an element the meet waits for a later call.
bool resolve_pair(int count, int r, int c) {
    if (JoinTable[r][c] == UNDEFINED && try_operation(count, OP_JOIN, r, c)) return true;
    if (MeetTable[r][c] == UNDEFINED && try_operation(count, OP_MEET, r, c)) return true;
    return false;
}

}  // namespace

void add_next_element(int count) {
    // A fresh scan from (0, 1) every time: rows in order, each row from
    // column 0; the pair (0, 0) is never visited.
    int r = 0;
    int c = 0;
    for (;;) {
        ++c;
        if (c == count) {
            ++r;
            c = 0;
        }
        if (r == count) {
            closure_complete = 1;
            return;
        }
        if (resolve_pair(count, r, c)) {
            INVARIANT(tables_symmetric(count + 1));
            return;
        }
    }
}

void build_free_lattice() {
    closure_complete = 0;
    int count = generator_count;
    for (;;) {
        add_next_element(count);
        if (closure_complete != 0) {
            shown_count = count;
            console_print("The number of elements is %d.\n", count);
            return;
        }
        console_print("%2d ... ", count + 1);
        print_term_line(count);
        // The limit is tested after the element is made, so the last call
        // has count = element_limit and element_limit + 1 elements can exist.
        if (count >= element_limit) return;
        ++count;
    }
}
