// Where the dialogue's yes/no questions take their answers from: the
// keyboard, which shows each question and its answer, or a declaration made
// beforehand (the command line's), which shows nothing.
#pragma once

struct AnswerSource {
    // The offer of the modular and distributive law tests: true to run them.
    bool (*law_tests_wanted)();

    // Whether the meet (symbol '.') or join ('+') of the incomparable
    // generators i and j, which is m in the poset, counts as defined.
    bool (*bound_defined)(int i, char symbol, int j, int m);

    // After the last question about meets and joins.
    void (*questions_done)();
};

// One key per question, read without echo: only y or Y means yes, every other
// key no, and no question is asked again.
extern const AnswerSource KEYBOARD_ANSWERS;
