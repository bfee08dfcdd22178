// Single action keys at a prompt; a large table is looked at through a window
// that the scrolling keys move until some other key hands back to the prompt.
#include "browser/action_loop.h"

#include "browser/table_renderer.h"
#include "browser/term_lines.h"

namespace {

// The largest window that fits the 80 x 25 screen with its three heading
// lines.
constexpr int WINDOW_COLUMNS = 77;
constexpr int WINDOW_ROWS = 22;

struct Step {
    int column;
    int row;
};

// Codes 71..81 ('G'..'Q'): the keypad cursor keys, by one. The codes 74, 76
// and 78 lie between them and move nothing.
constexpr Step LETTER_STEPS[] = {
    {-1, -1}, {0, -1}, {+1, -1},  // G Home, H Up, I PgUp
    {0, 0},                       // J
    {-1, 0},                      // K Left
    {0, 0},                       // L
    {+1, 0},                      // M Right
    {0, 0},                       // N
    {-1, +1}, {0, +1}, {+1, +1},  // O End, P Down, Q PgDn
};

// Codes '1'..'9': the same keypad layout, by ten.
constexpr Step DIGIT_STEPS[] = {
    {-10, +10}, {0, +10}, {+10, +10},  // 1 2 3
    {-10, 0},   {0, 0},   {+10, 0},    // 4 5 6
    {-10, -10}, {0, -10}, {+10, -10},  // 7 8 9
};

// True for a navigation code, with its steps in *step. The code is taken as a
// signed byte: -1 and every code of 128 and above are no navigation codes.
bool navigation_step(int code, Step *step) {
    signed char byte = static_cast<signed char>(code & 0xFF);
    if (byte >= 'G' && byte <= 'Q') {
        *step = LETTER_STEPS[byte - 'G'];
        return true;
    }
    if (byte >= '1' && byte <= '9') {
        *step = DIGIT_STEPS[byte - '1'];
        return true;
    }
    return false;
}

int clamp_index(int index, int count) {
    if (index > count - 1) index = count - 1;
    if (index < 0) index = 0;
    return index;
}

// Last index of a window starting at first and holding at most size indices.
int window_end(int first, int size, int count) {
    return first + size - 1 < count ? first + size - 1 : count - 1;
}

void show_result_table(Console &console, const Lattice &lattice, int n, int kind) {
    if (n < WINDOW_ROWS + 1) {
        show_table(console, lattice, kind, 0, 0, n - 1, n - 1);
        return;
    }
    int first_column = 0;
    int first_row = 0;
    show_table(console, lattice, kind, 0, 0, window_end(0, WINDOW_COLUMNS, n), WINDOW_ROWS - 1);
    for (;;) {
        Step step{};
        // Any other key ends navigation and is used up without acting.
        if (!navigation_step(read_nav_key(console), &step)) return;
        first_column = clamp_index(first_column + step.column, n);
        first_row = clamp_index(first_row + step.row, n);
        // A move at an edge redraws the unchanged window.
        show_table(console, lattice, kind, first_column, first_row, window_end(first_column, WINDOW_COLUMNS, n),
                   window_end(first_row, WINDOW_ROWS, n));
    }
}

void show_terms(Console &console, const Lattice &lattice, int n) {
    console.print("\n");
    for (int i = 0; i < n; ++i) {
        console.print("%c ... ", lattice.name(i));
        print_term_line(console, lattice, i);
    }
}

}  // namespace

int action_loop(Console &console, const Lattice &lattice, int shown) {
    for (;;) {
        console.print("\nPress an action key or H for help ");
        // -1 (no key) becomes 255, which is no action.
        int code = console.read_key_echo() & 0xFF;
        int written = console.print("\n");
        // Only the lower-case codes act; capitals and the leads 0 and 224 of
        // two-code keys fall through to the prompt.
        switch (code) {
        case 'q': return written;
        case 'h': show_help(console); break;
        case 't': show_terms(console, lattice, shown); break;
        case 'l':
        case 'j':
        case 'm': show_result_table(console, lattice, shown, code); break;
        default: break;
        }
    }
}

void show_help(Console &console) {
    console.stdout_print("\nACTION KEYS:\n");
    console.stdout_print("L ... table of less relation\n");
    console.stdout_print("J ... table of joins\n");
    console.stdout_print("M ... table of meets\n");
    console.stdout_print("T ... display terms\n");
    console.stdout_print("Q ... quit\n");
    console.stdout_print("If a table exceeds the screen, use arrow keys to move around, ");
    console.stdout_print("or shifted\narrow keys to move ten times faster.\n");
}

int read_nav_key(Console &console) {
    int code = to_lower(console.read_key());
    if ((code & 0xFF) != 0) return code;
    // A lead 0: the key's second code is the scrolling code, as it is. A lead
    // 224 is returned above, its second code left for the next read.
    return console.read_key();
}
