// The dialogue's questions answered at the keyboard, each shown with its
// answer.
#pragma once

#include "console/console.h"
#include "lattice/lattice.h"
#include "poset/answer_source.h"

// One key per question, read without echo: only y or Y means yes, every other
// key no, and no question is asked again.
class KeyboardAnswers : public AnswerSource {
public:
    KeyboardAnswers(Console &console, const Lattice &lattice) : console_(console), lattice_(lattice) {}
    bool law_tests_wanted() override;
    bool bound_defined(int i, char symbol, int j, int m) override;
    void questions_done() override;

private:
    bool read_yes();

    Console &console_;
    const Lattice &lattice_;
};
