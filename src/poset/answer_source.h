// Where the dialogue's yes/no questions take their answers from: the
// keyboard, which shows each question and its answer, or a declaration made
// beforehand (the command line's), which shows nothing.
#pragma once

class AnswerSource {
public:
    // The offer of the modular and distributive law tests: true to run them.
    virtual bool law_tests_wanted() = 0;

    // Whether the meet (symbol '.') or join ('+') of the incomparable
    // generators i and j, which is m in the poset, counts as defined.
    virtual bool bound_defined(int i, char symbol, int j, int m) = 0;

    // After the last question about meets and joins.
    virtual void questions_done() = 0;

protected:
    AnswerSource() = default;
    AnswerSource(const AnswerSource &) = default;
    AnswerSource &operator=(const AnswerSource &) = default;
    ~AnswerSource() = default;
};
