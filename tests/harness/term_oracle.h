// Terms of any shape over the partial lattice in the workspace, read and
// decided here from Dean's conditions, sharing no code with src/terms: the
// reference that canonical forms are checked against. Recursive and plain,
// for the small terms of tests.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "lattice/lattice.h"
#include "word_problem.h"

namespace term_oracle {

class Terms {
public:
    // P from the lattice: its generators, their names and order, and the
    // meets and joins defined among them.
    explicit Terms(const Lattice &lattice);

    // The term written in text (names, '+', '.' or juxtaposition, brackets),
    // kept as written: nested joins stay nested. -1 when it cannot be read.
    int read(const std::string &text);

    bool below(int s, int t);
    bool equal(int s, int t) { return below(s, t) && below(t, s); }

    // What keeps the term from being canonical as the manual page defines
    // it (the conditions, then the order of operands), or "" when nothing.
    std::string canonical_fault(int id);

private:
    struct Node {
        int generator;  // >= 0 for a generator
        bool join;
        std::vector<int> operands;
    };
    int add(Node node);
    int read_join(const std::string &text, std::size_t &at);
    int read_meet(const std::string &text, std::size_t &at);
    std::uint64_t ideal(int id);
    std::uint64_t filter(int id);
    int join_of(const std::vector<int> &operands, bool join);
    bool before(int x, int y);
    std::string text(int id);
    std::string operands_fault(int w);

    word_problem::GeneratorOrder p_;
    unsigned char name_[64];
    std::vector<Node> nodes_;
    std::map<std::pair<int, int>, bool> memo_;
};

}  // namespace term_oracle
