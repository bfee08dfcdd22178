#include "browser_fixtures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string_view>

#include "browser/action_loop.h"
#include "lattice_probe.h"
#include "partial_lattice_setup.h"
#include "scripted_console.h"

namespace browser_fixtures {

namespace {

// The elements the browser is to show.
int shown_elements = 0;

Lattice &lattice() { return scripted::lattice(); }

void make_generated(int e, unsigned char operation, int left, int right) {
    lattice().set_term(e, {operation, static_cast<Element>(left), static_cast<Element>(right)});
}

// A new lattice with the elements named, generators first.
void clear_and_name(std::string_view generator_names) {
    lattice() = Lattice();
    lattice_setup::name_slots(lattice(), generator_names);
}

// Elements join = a+b and meet = ab of the incomparable generators a and b,
// with their order among a, b and each other; elements 0..count-1 reflexive.
void add_join_and_meet(int a, int b, int join, int meet, int count) {
    make_generated(join, OP_JOIN, a, b);
    make_generated(meet, OP_MEET, a, b);
    for (int e = 0; e < count; ++e) make_less_or_equal(e, e);
    make_less_or_equal(a, join);
    make_less_or_equal(b, join);
    make_less_or_equal(meet, a);
    make_less_or_equal(meet, b);
    make_less_or_equal(meet, join);
    lattice().store_join(a, b, join);
    lattice().store_meet(a, b, meet);
}

}  // namespace

void make_less_or_equal(int r, int c) {
    lattice().set_leq(r, c);
    lattice().store_join(r, c, c);
    lattice().store_meet(r, c, r);
}

void empty_result() {
    clear_and_name("");
    shown_elements = 0;
}

void chain_a_b() {
    clear_and_name("ab");
    make_less_or_equal(0, 0);
    make_less_or_equal(1, 1);
    make_less_or_equal(0, 1);
    shown_elements = 2;
    lattice().set_closed(true);
}

void two_incomparable() {
    clear_and_name("ab");
    add_join_and_meet(0, 1, 2, 3, 4);
    shown_elements = 4;
    lattice().set_closed(true);
}

void stopped_early() {
    clear_and_name("abc");
    add_join_and_meet(0, 1, 3, 4, 5);
    shown_elements = 5;
    lattice().set_closed(false);
}

void chain(int n) {
    clear_and_name("");
    LatticeProbe::generators(lattice()) = n;
    for (int r = 0; r < n; ++r)
        for (int c = r; c < n; ++c) make_less_or_equal(r, c);
    shown_elements = n;
    lattice().set_closed(true);
}

void growing_terms(int n) {
    clear_and_name("ab");
    for (int e = 2; e < n; ++e)
        make_generated(e, e % 2 == 0 ? OP_JOIN : OP_MEET, e - 2, e - 1);
    shown_elements = n;
    lattice().set_closed(true);
}

int shown() { return shown_elements; }

std::string to_string(const Window &w) {
    char text[80];
    std::snprintf(text, sizeof text, "columns %d..%d, rows %d..%d", w.first_column, w.last_column,
                  w.first_row, w.last_row);
    return text;
}

namespace {

// What a cell must show, worked out from the lattice directly.
unsigned char expected_cell(char kind, int r, int c) {
    if (kind == 'l') return lattice().leq(r, c) ? 'X' : '.';
    Element entry = kind == 'j' ? lattice().join(r, c) : lattice().meet(r, c);
    return entry == NO_ELEMENT ? '?' : lattice().name(entry);
}

constexpr unsigned char VERTICAL = 179, HORIZONTAL = 196, CROSS = 197;

bool is_row_start(const std::string &out, std::size_t at) {
    return at + 1 < out.size() && out[at] != ' ' && out[at] != '\n' &&
           static_cast<unsigned char>(out[at + 1]) == VERTICAL;
}

}  // namespace

std::vector<Window> windows_shown(char kind) {
    const std::string &out = scripted::console_bytes();
    const std::string header = std::string(" ") + static_cast<char>(VERTICAL);
    std::vector<Window> windows;
    std::size_t at = out.find(header);
    while (at != std::string::npos) {
        at += header.size();
        std::vector<int> columns;
        while (at < out.size() && out[at] != '\n')
            columns.push_back(lattice().named(static_cast<unsigned char>(out[at++])));
        std::string rule = std::string("\n") + static_cast<char>(HORIZONTAL) +
                           static_cast<char>(CROSS) +
                           std::string(columns.size(), static_cast<char>(HORIZONTAL)) + "\n";
        if (out.compare(at, rule.size(), rule) != 0) {
            ADD_FAILURE() << "rule line wrong at byte " << at;
            return windows;
        }
        at += rule.size();
        std::vector<int> rows;
        while (is_row_start(out, at)) {
            int r = lattice().named(static_cast<unsigned char>(out[at]));
            rows.push_back(r);
            at += 2;
            for (int c : columns) {
                if (at >= out.size() || static_cast<unsigned char>(out[at]) != expected_cell(kind, r, c))
                    ADD_FAILURE() << "cell row " << r << " column " << c << " wrong at byte " << at;
                ++at;
            }
            // Rows are separated by line ends; the last one has none.
            if (at < out.size() && out[at] == '\n' && is_row_start(out, at + 1)) ++at;
        }
        Window w{columns.empty() ? 0 : columns.front(), columns.empty() ? -1 : columns.back(),
                 rows.empty() ? 0 : rows.front(), rows.empty() ? -1 : rows.back()};
        for (std::size_t i = 0; i < columns.size(); ++i)
            if (columns[i] != w.first_column + static_cast<int>(i)) ADD_FAILURE() << "columns not consecutive";
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i] != w.first_row + static_cast<int>(i)) ADD_FAILURE() << "rows not consecutive";
        windows.push_back(w);
        at = out.find(header, at);
    }
    return windows;
}

std::vector<std::pair<std::string, std::string>> printed_terms() {
    const std::string &console = scripted::console_bytes();
    std::size_t start = console.rfind(PROMPT + "t\n\n");
    std::size_t end = console.rfind(PROMPT + "q\n");
    if (start == std::string::npos || end == std::string::npos || end < start) return {};
    start += PROMPT.size() + 3;
    std::vector<std::pair<std::string, std::string>> terms;
    std::istringstream lines(console.substr(start, end - start));
    std::string line;
    while (std::getline(lines, line)) {
        std::size_t dots = line.find(" ... ");
        if (dots == std::string::npos) return {};
        terms.emplace_back(line.substr(0, dots), line.substr(dots + 5));
    }
    return terms;
}

bool run_action_loop(int *result) {
    return scripted::run([result] { *result = action_loop(scripted::console(), lattice(), shown_elements); });
}

}  // namespace browser_fixtures
