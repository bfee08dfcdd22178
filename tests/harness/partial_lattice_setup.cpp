#include "partial_lattice_setup.h"

#include <cstring>

#include "workspace/workspace.h"

namespace lattice_setup {
namespace {

int index_of(const std::string &names, char name) {
    std::size_t at = names.find(name);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

// The naming sequence: 0-9, A-Z, a-z, then the codes 128 upward.
int next_in_naming_sequence(int c) {
    if (c == '9') return 'A';
    if (c == 'Z') return 'a';
    if (c == 'z') return 128;
    return c + 1;
}

void name_all_slots(const std::string &names) {
    std::memset(NameTable, 0, sizeof NameTable);
    std::memset(NameIndex, UNDEFINED, sizeof NameIndex);
    for (std::size_t k = 0; k < names.size(); ++k) {
        unsigned char c = static_cast<unsigned char>(names[k]);
        NameTable[k] = c;
        NameIndex[c] = static_cast<unsigned char>(k);
    }
    int c = '0';
    for (int k = static_cast<int>(names.size()); k < MAX_ELEMENTS; ++k) {
        while (NameIndex[c] != UNDEFINED) c = next_in_naming_sequence(c);
        NameTable[k] = static_cast<unsigned char>(c);
        NameIndex[c] = static_cast<unsigned char>(k);
    }
}

bool is_lower_bound(int g, int i, int j) { return OrderMatrix[g][i] && OrderMatrix[g][j]; }
bool is_upper_bound(int g, int i, int j) { return OrderMatrix[i][g] && OrderMatrix[j][g]; }

}  // namespace

int poset_meet(int i, int j) {
    for (int g = 0; g < generator_count; ++g) {
        if (!is_lower_bound(g, i, j)) continue;
        bool greatest = true;
        for (int h = 0; h < generator_count; ++h)
            if (is_lower_bound(h, i, j) && !OrderMatrix[h][g]) greatest = false;
        if (greatest) return g;
    }
    return -1;
}

int poset_join(int i, int j) {
    for (int g = 0; g < generator_count; ++g) {
        if (!is_upper_bound(g, i, j)) continue;
        bool least = true;
        for (int h = 0; h < generator_count; ++h)
            if (is_upper_bound(h, i, j) && !OrderMatrix[g][h]) least = false;
        if (least) return g;
    }
    return -1;
}

bool set_up(const std::string &names, const std::vector<std::pair<int, int>> &less,
            const std::vector<DefinedOperation> &defined) {
    const int n = static_cast<int>(names.size());
    generator_count = n;
    std::memset(OrderMatrix, 0, sizeof OrderMatrix);
    std::memset(MeetTable, UNDEFINED, sizeof MeetTable);
    std::memset(JoinTable, UNDEFINED, sizeof JoinTable);
    name_all_slots(names);

    for (auto [p, q] : less) OrderMatrix[p][q] = 1;
    for (int k = 0; k < n; ++k)
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                if (OrderMatrix[i][k] && OrderMatrix[k][j]) OrderMatrix[i][j] = 1;
    for (int i = 0; i < n; ++i) {
        if (OrderMatrix[i][i]) return false;
        OrderMatrix[i][i] = 1;
    }

    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (OrderMatrix[i][j]) {
                MeetTable[i][j] = MeetTable[j][i] = static_cast<unsigned char>(i);
                JoinTable[i][j] = JoinTable[j][i] = static_cast<unsigned char>(j);
            }
    for (const DefinedOperation &d : defined) {
        bool meet = d.operation == '.';
        int bound = meet ? poset_meet(d.left, d.right) : poset_join(d.left, d.right);
        if (bound < 0 || OrderMatrix[d.left][d.right] || OrderMatrix[d.right][d.left]) return false;
        auto &table = meet ? MeetTable : JoinTable;
        table[d.left][d.right] = table[d.right][d.left] = static_cast<unsigned char>(bound);
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

}  // namespace lattice_setup
