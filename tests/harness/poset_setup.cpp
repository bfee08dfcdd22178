#include "poset_setup.h"

#include <gtest/gtest.h>

#include "poset/order_closure.h"
#include "dialogue/poset_entry.h"
#include "scripted_console.h"

namespace poset_setup {

namespace {

void type_keys() {
    reset_and_show_banner();
    read_poset();
}

void define_poset() {
    type_keys();
    close_and_validate_poset();
}

bool run_then_keep(void (*phases)(), std::string_view typed, std::string_view answers) {
    scripted::start(typed);
    if (!scripted::run(phases)) return false;
    EXPECT_EQ(scripted::keys_left(), 0) << "keys left after entry of " << typed;
    LatticeWorkspace kept = lattice_workspace;
    scripted::start(answers);
    lattice_workspace = kept;
    return true;
}

}  // namespace

bool enter_poset(std::string_view typed, std::string_view answers) {
    return run_then_keep(define_poset, typed, answers);
}

bool type_poset(std::string_view typed, std::string_view answers) {
    return run_then_keep(type_keys, typed, answers);
}

std::string table_text(const unsigned char (&table)[MAX_ELEMENTS][MAX_ELEMENTS], int n) {
    std::string text;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            unsigned char e = table[r][c];
            text += e == UNDEFINED ? '-' : static_cast<char>(NameTable[e]);
        }
        text += '\n';
    }
    return text;
}

std::string order_text(int n) {
    std::string text;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) text += OrderMatrix[r][c] == 1 ? '1' : '0';
        text += '\n';
    }
    return text;
}

int defined_entries(const unsigned char (&table)[MAX_ELEMENTS][MAX_ELEMENTS]) {
    int count = 0;
    for (const auto &row : table) {
        for (unsigned char e : row) count += e != UNDEFINED ? 1 : 0;
    }
    return count;
}

std::string names(int count) {
    return std::string(reinterpret_cast<const char *>(NameTable), static_cast<std::size_t>(count));
}

std::string test_name(const char *label) {
    std::string name;
    for (const char *p = label; *p != '\0'; ++p) {
        if ((*p >= 'a' && *p <= 'z') || (*p >= 'A' && *p <= 'Z') || (*p >= '0' && *p <= '9')) name += *p;
    }
    return name;
}

}  // namespace poset_setup
