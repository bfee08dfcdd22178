// Tables are drawn with the code page 437 line bytes; every cell is one byte
// so that it stands under the name of its column.
#include "browser/table_renderer.h"

namespace {

constexpr int VERTICAL_LINE = 179;
constexpr int HORIZONTAL_LINE = 196;
constexpr int CROSS = 197;

// Shown for a join or meet not formed yet (a build stopped at the limit):
// one byte, so the columns stay aligned, and never an element's name.
constexpr int UNKNOWN_CELL = '?';

// Returns false for a kind that is no table, having written nothing.
bool print_title(Console &console, unsigned char kind) {
    switch (kind) {
    case 'l': console.stdout_print("TABLE OF LESS RELATION\n"); return true;
    case 'j': console.stdout_print("TABLE OF JOINS\n"); return true;
    case 'm': console.stdout_print("TABLE OF MEETS\n"); return true;
    default: return false;
    }
}

int name_of_entry(const Lattice &lattice, Element entry) {
    if (entry == NO_ELEMENT) return UNKNOWN_CELL;
    return lattice.name(entry);
}

int cell_of(const Lattice &lattice, unsigned char kind, int row, int column) {
    switch (kind) {
    case 'l': return lattice.leq(row, column) ? 'X' : '.';
    case 'j': return name_of_entry(lattice, lattice.join(row, column));
    default: return name_of_entry(lattice, lattice.meet(row, column));
    }
}

}  // namespace

void show_table(Console &console, const Lattice &lattice, int kind, int first_column, int first_row,
                int last_column, int last_row) {
    unsigned char table = static_cast<unsigned char>(kind & 0xFF);
    if (!print_title(console, table)) return;

    console.print(" %c", VERTICAL_LINE);
    for (int column = first_column; column <= last_column; ++column)
        console.put_char(lattice.name(column));

    console.print("\n%c%c", HORIZONTAL_LINE, CROSS);
    for (int column = first_column; column <= last_column; ++column)
        console.put_char(HORIZONTAL_LINE);
    console.print("\n");

    for (int row = first_row; row <= last_row; ++row) {
        console.put_char(lattice.name(row));
        console.put_char(VERTICAL_LINE);
        for (int column = first_column; column <= last_column; ++column)
            console.put_char(cell_of(lattice, table, row, column));
        // The last row ends without a line end: whatever follows continues
        // on its line.
        if (row < last_row) console.print("\n");
    }
}
