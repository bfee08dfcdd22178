#include "partial_lattice_setup.h"

#include <cstring>

#include "free_lattice/generation.h"
#include "reference.h"
#include "scripted_console.h"
#include "lattice/lattice.h"

namespace lattice_setup {
namespace {

int index_of(const std::string &names, char name) {
    std::size_t at = names.find(name);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

}  // namespace

void name_slots(std::string_view generator_names) {
    std::memset(NameIndex, UNDEFINED, sizeof NameIndex);
    std::string names = reference::slot_names(generator_names);
    for (std::size_t k = 0; k < names.size() && k < MAX_ELEMENTS; ++k) {
        NameTable[k] = static_cast<unsigned char>(names[k]);
        NameIndex[NameTable[k]] = static_cast<unsigned char>(k);
    }
    generator_count = static_cast<int>(generator_names.size());
}

bool set_up(const std::string &names, const std::vector<std::pair<int, int>> &less,
            const std::vector<DefinedOperation> &defined) {
    const int n = static_cast<int>(names.size());
    std::memset(OrderMatrix, 0, sizeof OrderMatrix);
    std::memset(MeetTable, UNDEFINED, sizeof MeetTable);
    std::memset(JoinTable, UNDEFINED, sizeof JoinTable);
    name_slots(names);

    std::vector<unsigned char> typed(static_cast<std::size_t>(n * n), 0);
    for (auto [p, q] : less) typed[static_cast<std::size_t>(p * n + q)] = 1;
    std::vector<unsigned char> reached = reference::reachability(typed.data(), n);
    for (int i = 0; i < n; ++i) {
        if (reached[static_cast<std::size_t>(i * n + i)]) return false;
        for (int j = 0; j < n; ++j) OrderMatrix[i][j] = i == j || reached[static_cast<std::size_t>(i * n + j)];
    }

    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (OrderMatrix[i][j]) {
                store_symmetric(MeetTable, i, j, i);
                store_symmetric(JoinTable, i, j, j);
            }
    for (const DefinedOperation &d : defined) {
        bool meet = d.operation == '.';
        int bound = meet ? reference::meet(d.left, d.right, n) : reference::join(d.left, d.right, n);
        if (bound < 0 || OrderMatrix[d.left][d.right] || OrderMatrix[d.right][d.left]) return false;
        store_symmetric(meet ? MeetTable : JoinTable, d.left, d.right, bound);
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

int build() {
    element_limit = 100;
    if (!scripted::run(build_free_lattice)) return -1;
    return closure_complete != 0 ? shown_count : element_limit + 1;
}

int build(const std::string &names, const std::string &chains, const std::string &defined) {
    scripted::start("");
    return set_up(names, chains, defined) ? build() : -1;
}

}  // namespace lattice_setup
