#include "poset_setup.h"

#include <gtest/gtest.h>

#include "dialogue/poset_entry.h"
#include "scripted_console.h"

namespace poset_setup {

namespace {

bool run_then_keep(bool close, std::string_view typed, std::string_view answers) {
    scripted::start(typed);
    bool entered = scripted::run([close] {
        reset_and_show_banner(scripted::console(), scripted::lattice());
        read_poset(scripted::console(), scripted::lattice());
        if (close) close_and_validate_poset(scripted::console(), scripted::lattice());
    });
    if (!entered) return false;
    EXPECT_EQ(scripted::keys_left(), 0) << "keys left after entry of " << typed;
    Lattice kept = scripted::lattice();
    scripted::start(answers);
    scripted::lattice() = kept;
    return true;
}

}  // namespace

bool enter_poset(std::string_view typed, std::string_view answers) { return run_then_keep(true, typed, answers); }

bool type_poset(std::string_view typed, std::string_view answers) { return run_then_keep(false, typed, answers); }

std::string table_text(const Lattice &lattice, unsigned char operation, int n) {
    std::string text;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            Element e = operation == OP_JOIN ? lattice.join(r, c) : lattice.meet(r, c);
            text += e == NO_ELEMENT ? '-' : static_cast<char>(lattice.name(e));
        }
        text += '\n';
    }
    return text;
}

std::string order_text(const Lattice &lattice, int n) {
    std::string text;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) text += lattice.leq(r, c) ? '1' : '0';
        text += '\n';
    }
    return text;
}

int defined_entries(const Lattice &lattice, unsigned char operation, int n) {
    int count = 0;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            Element e = operation == OP_JOIN ? lattice.join(r, c) : lattice.meet(r, c);
            count += e != NO_ELEMENT ? 1 : 0;
        }
    }
    return count;
}

std::string names(const Lattice &lattice, int count) {
    std::string text;
    for (int e = 0; e < count; ++e) text += static_cast<char>(lattice.name(e));
    return text;
}

bool same_lattice(const Lattice &a, const Lattice &b) {
    if (a.capacity() != b.capacity() || a.generators() != b.generators() || a.elements() != b.elements() ||
        a.closed() != b.closed())
        return false;
    for (int r = 0; r < a.capacity(); ++r) {
        if (a.name(r) != b.name(r)) return false;
        const TermRecord &s = a.term(r), &t = b.term(r);
        if (s.operation != t.operation || s.left != t.left || s.right != t.right) return false;
        for (int c = 0; c < a.capacity(); ++c) {
            if (a.leq(r, c) != b.leq(r, c) || a.join(r, c) != b.join(r, c) || a.meet(r, c) != b.meet(r, c))
                return false;
        }
    }
    return true;
}

std::string test_name(const char *label) {
    std::string name;
    for (const char *p = label; *p != '\0'; ++p) {
        if ((*p >= 'a' && *p <= 'z') || (*p >= 'A' && *p <= 'Z') || (*p >= '0' && *p <= '9')) name += *p;
    }
    return name;
}

}  // namespace poset_setup
