// The meets and joins --define declares defined, and the questions answered
// from that declaration instead of the keyboard.
#pragma once

#include <string_view>
#include <vector>

#include "lattice/lattice.h"
#include "poset/answer_source.h"

// Yes to the law tests and to exactly the declared meets and joins; shows
// nothing.
class Declaration : public AnswerSource {
public:
    // Reads the lists (items x.y, x+y, each optionally =v, separated by
    // spaces or commas, or all) against the accepted poset in lattice. Every
    // item must name a question the dialogue would ask: incomparable x and y
    // whose meet (join) exists, and v must be it. The first invalid item is
    // reported on standard error, naming it and why; false then.
    bool read(const Lattice &lattice, const std::vector<const char *> &lists);

    bool law_tests_wanted() override { return true; }
    bool bound_defined(int i, char symbol, int j, int m) override;
    void questions_done() override {}

private:
    bool declare_item(const Lattice &lattice, std::string_view item);

    bool everything_ = false;
    bool declared_[2][GENERATORS_MAX][GENERATORS_MAX] = {};
};
