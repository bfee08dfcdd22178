#include "dialogue/poset_entry.h"

#include "poset/names.h"
#include "poset/order_closure.h"

namespace {

constexpr int KEY_CR = 13;
constexpr int KEY_SPACE = 32;

}  // namespace

void reset_and_show_banner(Console &console, Lattice &lattice) {
    lattice = Lattice();
    console.stdout_print("PROGRAM FOR BUILDING FREE LATTICE OVER USER DEFINED PARTIAL");
    console.stdout_print(" LATTICE\n        written by Tamrisk\n\n");
    console.stdout_print("First you are asked to define a poset. It can have up to 62 ");
    console.stdout_print("elements\ndenoted by lower or upper case letters or digits.\n");
    console.stdout_print("For example, pentagon can be defined as follows:\n");
    console.stdout_print("a<b<c a<1<2<c\n");
    console.stdout_print("You need not type <. Instead of space you can use also CR,\n");
    console.stdout_print("and job is finished by pressing CR two times.\n\n");
}

void read_poset(Console &console, Lattice &lattice) {
    // Last name of the open chain; 0 (never a name) when no chain is open.
    int previous = 0;
    for (;;) {
        int key = console.read_key();
        // No keyboard left to read: end the entry rather than wait forever.
        if (key == -1) break;
        int code = key & 0xFF;
        if (code == KEY_CR && previous == 0) break;
        if (code == KEY_SPACE) {
            // The "<" echoed after the last name is blanked out.
            if (previous != 0) console.print("\b ");
            previous = 0;
        } else if (code == KEY_CR) {
            previous = 0;
            console.print("\b \n");
        } else if (is_name(code)) {
            console.print("%c", code);
            enter_name(lattice, previous, code);
            console.print("<");
            previous = code;
        }
        // Every other key, "<" and backspace among them, means nothing here.
    }
    if (lattice.generators() > 0) {
        console.print("\b \n");
    } else {
        console.print("\n");
    }
}

void close_and_validate_poset(Console &console, Lattice &lattice) {
    for (;;) {
        if (close_poset(lattice)) break;
        console.print("\nTHIS IS NO POSET!   TRY ONCE MORE\n");
        reset_and_show_banner(console, lattice);
        read_poset(console, lattice);
    }
    console.print("\nPOSET WITH %d ELEMENTS DEFINED\n", lattice.generators());
    name_free_slots(lattice);
}
