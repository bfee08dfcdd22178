#include "dialogue/poset_entry.h"

#include <cstring>

#include "console/console.h"
#include "lattice/lattice.h"

namespace {

constexpr int KEY_CR = 13;
constexpr int KEY_SPACE = 32;

// Index of name c among the generators typed so far, registering it when new.
int element_of(int c) {
    for (int k = 0; k < generator_count; ++k) {
        if (NameTable[k] == c) return k;
    }
    int k = generator_count;
    NameTable[k] = static_cast<unsigned char>(c);
    NameIndex[static_cast<unsigned char>(c)] = static_cast<unsigned char>(k);
    ++generator_count;
    return k;
}

}  // namespace

bool is_name(int code) {
    return (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
}

void reset_poset() {
    std::memset(OrderMatrix, 0, sizeof OrderMatrix);
    std::memset(MeetTable, UNDEFINED, sizeof MeetTable);
    std::memset(JoinTable, UNDEFINED, sizeof JoinTable);
    std::memset(NameTable, 0, sizeof NameTable);
    std::memset(NameIndex, UNDEFINED, sizeof NameIndex);
}

void reset_and_show_banner() {
    reset_poset();
    stdout_print("PROGRAM FOR BUILDING FREE LATTICE OVER USER DEFINED PARTIAL");
    stdout_print(" LATTICE\n        written by Tamrisk\n\n");
    stdout_print("First you are asked to define a poset. It can have up to 62 ");
    stdout_print("elements\ndenoted by lower or upper case letters or digits.\n");
    stdout_print("For example, pentagon can be defined as follows:\n");
    stdout_print("a<b<c a<1<2<c\n");
    stdout_print("You need not type <. Instead of space you can use also CR,\n");
    stdout_print("and job is finished by pressing CR two times.\n\n");
}

void enter_name(int previous, int name) {
    int element = element_of(name);
    if (previous != 0) OrderMatrix[NameIndex[static_cast<unsigned char>(previous)]][element] = 1;
}

void read_poset() {
    generator_count = 0;
    // Last name of the open chain; 0 (never a name) when no chain is open.
    int previous = 0;
    for (;;) {
        int key = console_read_key();
        // No keyboard left to read: end the entry rather than wait forever.
        if (key == -1) break;
        int code = key & 0xFF;
        if (code == KEY_CR && previous == 0) break;
        if (code == KEY_SPACE) {
            // The "<" echoed after the last name is blanked out.
            if (previous != 0) console_print("\b ");
            previous = 0;
        } else if (code == KEY_CR) {
            previous = 0;
            console_print("\b \n");
        } else if (is_name(code)) {
            console_print("%c", code);
            enter_name(previous, code);
            console_print("<");
            previous = code;
        }
        // Every other key, "<" and backspace among them, means nothing here.
    }
    if (generator_count > 0) {
        console_print("\b \n");
    } else {
        console_print("\n");
    }
}
