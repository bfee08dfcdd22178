// Shared set-up and views for the poset tests: a poset typed through the
// real entry phases, and the tables rendered as readable text.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "lattice/lattice.h"

namespace poset_setup {

// Runs banner, entry and closure on the typed keys (all of which must be
// used), then starts a fresh script of answer keys with the recording cleared
// and the resulting lattice kept. Returns false when entry did not finish.
bool enter_poset(std::string_view typed, std::string_view answers);

// As enter_poset, but stops after entry: the typed relation, not yet closed.
bool type_poset(std::string_view typed, std::string_view answers);

// The first n rows and columns of the lattice's meet or join table, one row
// per line, each entry the name of its element or '-' when unknown.
std::string table_text(const Lattice &lattice, unsigned char operation, int n);

// Rows 0..n-1 of the order over columns 0..n-1 as 0/1 lines.
std::string order_text(const Lattice &lattice, int n);

// Number of entries of elements 0..n-1 in the table that are known.
int defined_entries(const Lattice &lattice, unsigned char operation, int n);

// The names of elements 0..count-1 in order.
std::string names(const Lattice &lattice, int count);

// Whether two lattices hold the same: room, counts, names, order, tables and
// terms.
bool same_lattice(const Lattice &a, const Lattice &b);

// A test name from a case label: its letters and digits.
std::string test_name(const char *label);

// Names each case of INSTANTIATE_TEST_SUITE_P after its label.
struct LabelName {
    template <class Case>
    std::string operator()(const testing::TestParamInfo<Case> &info) const {
        return test_name(info.param.label);
    }
};

}  // namespace poset_setup
