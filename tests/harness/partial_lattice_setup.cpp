#include "partial_lattice_setup.h"

#include "dialogue/build_lines.h"
#include "free_lattice/element_terms.h"
#include "reference.h"
#include "scripted_console.h"

namespace lattice_setup {
namespace {

int index_of(const std::string &names, char name) {
    std::size_t at = names.find(name);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

}  // namespace

void name_slots(Lattice &lattice, std::string_view generator_names) {
    std::string names = reference::slot_names(generator_names);
    for (std::size_t k = 0; k < names.size(); ++k) lattice.set_name(static_cast<int>(k), static_cast<unsigned char>(names[k]));
    lattice.set_generators(static_cast<int>(generator_names.size()));
    lattice.set_elements(lattice.generators());
}

bool set_up(const std::string &names, const std::vector<std::pair<int, int>> &less,
            const std::vector<DefinedOperation> &defined) {
    const int n = static_cast<int>(names.size());
    Lattice &lattice = scripted::lattice();
    lattice = Lattice();
    name_slots(lattice, names);

    std::vector<unsigned char> typed(static_cast<std::size_t>(n * n), 0);
    for (auto [p, q] : less) typed[static_cast<std::size_t>(p * n + q)] = 1;
    std::vector<unsigned char> reached = reference::reachability(typed.data(), n);
    for (int i = 0; i < n; ++i) {
        if (reached[static_cast<std::size_t>(i * n + i)]) return false;
        for (int j = 0; j < n; ++j)
            if (i == j || reached[static_cast<std::size_t>(i * n + j)]) lattice.set_leq(i, j);
    }

    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (lattice.leq(i, j)) {
                lattice.store_meet(i, j, i);
                lattice.store_join(i, j, j);
            }
    for (const DefinedOperation &d : defined) {
        bool meet = d.operation == '.';
        int bound = meet ? reference::meet(lattice, d.left, d.right, n) : reference::join(lattice, d.left, d.right, n);
        if (bound < 0 || lattice.leq(d.left, d.right) || lattice.leq(d.right, d.left)) return false;
        lattice.store(meet ? OP_MEET : OP_JOIN, d.left, d.right, bound);
    }
    return true;
}

bool set_up(const std::string &names, const std::string &chains, const std::string &defined) {
    std::vector<std::pair<int, int>> less;
    int previous = -1;
    for (char ch : chains) {
        if (ch == ' ') {
            previous = -1;
        } else if (ch != '<') {
            int current = index_of(names, ch);
            if (current < 0) return false;
            if (previous >= 0) less.push_back({previous, current});
            previous = current;
        }
    }
    std::vector<DefinedOperation> operations;
    for (std::size_t at = 0; at + 3 <= defined.size(); at += 4) {
        int left = index_of(names, defined[at]);
        int right = index_of(names, defined[at + 2]);
        if (left < 0 || right < 0) return false;
        operations.push_back({defined[at + 1], left, right});
    }
    return set_up(names, less, operations);
}

int build(int limit) {
    BuildLines lines(scripted::console());
    if (!scripted::run([&] { build_free_lattice(scripted::lattice(), limit, &lines); })) return -1;
    return scripted::lattice().elements();
}

int build(const std::string &names, const std::string &chains, const std::string &defined, int limit) {
    scripted::start("");
    return set_up(names, chains, defined) ? build(limit) : -1;
}

std::string element_term(int e) {
    std::string text;
    walk_term(scripted::lattice(), e,
              [](int ch, void *to) { *static_cast<std::string *>(to) += static_cast<char>(ch); }, &text);
    return text;
}

}  // namespace lattice_setup
