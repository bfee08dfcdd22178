// The questions of --decide, --canonical and --questions, read and answered
// in FL(P) once the partial lattice is defined.
#pragma once

#include <string>
#include <vector>

#include "cli/options.h"
#include "ending/exit_status.h"
#include "export/result_notes.h"
#include "lattice/lattice.h"
#include "terms/canonical_form.h"
#include "terms/relations.h"

// Whether an answer needs the build's elements: a canonical form tells its
// element, and "#N" in a term names one.
bool questions_need_elements(const std::vector<Question> &questions);

// Answers one question after another over one term graph: a relation as
// typed with ": true" or ": false", a term as typed with " = " and its
// canonical form, then "  (element N)" when the build lists its element;
// each with its explanation when asked.
class Answers {
public:
    // Over the lattice's P. with_elements: the build has run, and its
    // elements can be named and found. keep: the answers are noted for the
    // export.
    Answers(const Lattice &lattice, bool explain, bool with_elements, bool keep, ResultNotes &notes);

    // Reads the question into the graph. On failure says where and why.
    bool read(const Question &question, RelationError &error);
    // Appends the answer to the question read last; false when it is a
    // relation that fails.
    bool answer(const Question &question, std::string &out);
    // Forgets every term read since the graph was made, so that memory
    // stays flat over any number of questions.
    void forget();
    // How many terms the graph holds now.
    int terms_held() const { return terms_.size(); }

private:
    void start();

    const Lattice &lattice_;
    bool explain_;
    bool keep_;
    int listed_ = 0;
    ResultNotes &notes_;
    Presentation presentation_{};
    TermGraph terms_;
    OrderDecision decision_{terms_};
    CanonicalForms forms_{terms_, decision_};
    ElementTerms elements_;
    std::vector<int> element_of_;  // per canonical term of an element: that element, or -1
    ParsedRelation relation_;
    int term_ = -1;
};

// Text on its way to standard output: written with the one write loop when
// it grows or when asked, never through stdio, so that an interrupted or
// partial write goes on. After a failure (noted for the end) nothing more
// is written.
class AnswerOutput {
public:
    explicit AnswerOutput(ExitStatus &exit_status) : exit_status_(exit_status) {}
    void add(const std::string &text);
    // Writes out what is held; false once the output has failed.
    bool flush();

private:
    ExitStatus &exit_status_;
    std::string pending_;
    bool failed_ = false;
};

// Reads every question first, so that one that cannot be read is reported
// (naming it, the character and why) before anything is printed; returns 2
// then. Otherwise answers them in the order given and returns 0 when every
// relation holds, else 1.
int answer_questions(const std::vector<Question> &questions, Answers &answers, AnswerOutput &output);
