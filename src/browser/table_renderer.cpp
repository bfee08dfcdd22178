// Tables are drawn with the code page 437 line bytes; every cell is one byte
// so that it stands under the name of its column.
#include "browser/table_renderer.h"

#include "console/console.h"
#include "lattice/lattice.h"

namespace {

constexpr int VERTICAL_LINE = 179;
constexpr int HORIZONTAL_LINE = 196;
constexpr int CROSS = 197;

// Shown for a join or meet not formed yet (a build stopped at the limit):
// one byte, so the columns stay aligned, and never an element's name.
constexpr int UNKNOWN_CELL = '?';

// Returns false for a kind that is no table, having written nothing.
bool print_title(unsigned char kind) {
    switch (kind) {
    case 'l': stdout_print("TABLE OF LESS RELATION\n"); return true;
    case 'j': stdout_print("TABLE OF JOINS\n"); return true;
    case 'm': stdout_print("TABLE OF MEETS\n"); return true;
    default: return false;
    }
}

int name_of_entry(unsigned char entry) {
    // Anything that is no slot index (UNDEFINED above all) names nothing.
    if (entry >= MAX_ELEMENTS) return UNKNOWN_CELL;
    return NameTable[entry];
}

int cell_of(unsigned char kind, int row, int column) {
    switch (kind) {
    case 'l': return OrderMatrix[row][column] != 0 ? 'X' : '.';
    case 'j': return name_of_entry(JoinTable[row][column]);
    default: return name_of_entry(MeetTable[row][column]);
    }
}

}  // namespace

void show_table(int kind, int first_column, int first_row, int last_column, int last_row) {
    unsigned char table = static_cast<unsigned char>(kind & 0xFF);
    if (!print_title(table)) return;

    console_print(" %c", VERTICAL_LINE);
    for (int column = first_column; column <= last_column; ++column)
        console_put_char(NameTable[column]);

    console_print("\n%c%c", HORIZONTAL_LINE, CROSS);
    for (int column = first_column; column <= last_column; ++column)
        console_put_char(HORIZONTAL_LINE);
    console_print("\n");

    for (int row = first_row; row <= last_row; ++row) {
        console_put_char(NameTable[row]);
        console_put_char(VERTICAL_LINE);
        for (int column = first_column; column <= last_column; ++column)
            console_put_char(cell_of(table, row, column));
        // The last row ends without a line end: whatever follows continues
        // on its line.
        if (row < last_row) console_print("\n");
    }
}
