// The one global workspace of fixed-size tables that every phase reads and
// writes. Nothing else in the program keeps state beyond locals, apart from
// the console's pending key code and device handles.
#pragma once

#include <cstdint>

#include "checks/invariant.h"

constexpr int MAX_ELEMENTS = 130;
// Marks a meet or join not yet known, and a character that names nothing.
constexpr unsigned char UNDEFINED = 255;
constexpr unsigned char OP_MEET = 0;
constexpr unsigned char OP_JOIN = 1;

// The defining term of a generated element: operation, then its two operands
// (both indices below the element's own).
struct TermRecord {
    unsigned char operation;
    unsigned char left;
    unsigned char right;
};

// Field order and types are fixed: tables are indexed [row][column] by
// element index, every relation is a byte matrix.
struct LatticeWorkspace {
    unsigned char JoinTable[MAX_ELEMENTS][MAX_ELEMENTS];
    unsigned char OrderMatrix[MAX_ELEMENTS][MAX_ELEMENTS];
    unsigned char MeetTable[MAX_ELEMENTS][MAX_ELEMENTS];
    TermRecord TermTable[MAX_ELEMENTS];
    std::int32_t generator_count;
    std::int32_t closure_complete;
    std::int32_t element_limit;
    unsigned char NameIndex[256];
    unsigned char NameTable[MAX_ELEMENTS];
    std::int32_t wrap_column;
    std::int32_t shown_count;
};

static_assert(sizeof(TermRecord) == 3, "a term record is three bytes");

// Zero at program start, like every static object.
extern LatticeWorkspace lattice_workspace;

// The fields under their own names, so that code reads OrderMatrix[r][c]
// rather than going through the struct every time.
inline unsigned char (&JoinTable)[MAX_ELEMENTS][MAX_ELEMENTS] = lattice_workspace.JoinTable;
inline unsigned char (&OrderMatrix)[MAX_ELEMENTS][MAX_ELEMENTS] = lattice_workspace.OrderMatrix;
inline unsigned char (&MeetTable)[MAX_ELEMENTS][MAX_ELEMENTS] = lattice_workspace.MeetTable;
inline TermRecord (&TermTable)[MAX_ELEMENTS] = lattice_workspace.TermTable;
inline std::int32_t &generator_count = lattice_workspace.generator_count;
inline std::int32_t &closure_complete = lattice_workspace.closure_complete;
inline std::int32_t &element_limit = lattice_workspace.element_limit;
inline unsigned char (&NameIndex)[256] = lattice_workspace.NameIndex;
inline unsigned char (&NameTable)[MAX_ELEMENTS] = lattice_workspace.NameTable;
inline std::int32_t &wrap_column = lattice_workspace.wrap_column;
inline std::int32_t &shown_count = lattice_workspace.shown_count;

// Stores value as the entry for r and c of a meet or join table, both ways
// round: the tables are symmetric, and every writer keeps them so.
inline void store_symmetric(unsigned char (&table)[MAX_ELEMENTS][MAX_ELEMENTS], int r, int c, int value) {
    INVARIANT(r >= 0 && r < MAX_ELEMENTS && c >= 0 && c < MAX_ELEMENTS);
    INVARIANT((value >= 0 && value < MAX_ELEMENTS) || value == UNDEFINED);
    table[r][c] = static_cast<unsigned char>(value);
    table[c][r] = static_cast<unsigned char>(value);
}

#ifdef FREELATTICE_CHECKS
// Whether the meet and join tables agree with their mirror images over
// elements 0..count-1, as every writer keeps them. Checked builds only.
bool tables_symmetric(int count);
#endif
