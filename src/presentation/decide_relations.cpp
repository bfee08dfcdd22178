#include "presentation/decide_relations.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "ending/standard_output.h"
#include "presentation/argument_errors.h"
#include "signals/write_all.h"
#include "terms/canonical_explanation.h"
#include "terms/element_terms.h"
#include "terms/partial_lattice.h"

namespace {

// Answers are written out once this much has gathered.
constexpr std::size_t OUTPUT_BATCH = 1 << 16;

}  // namespace

bool questions_need_elements(const std::vector<Question> &questions) {
    return std::any_of(questions.begin(), questions.end(), [](const Question &q) {
        return !q.relation || q.text.find('#') != std::string_view::npos;
    });
}

// The build has a line for each element it made, the one made last at the
// limit included.
Answers::Answers(const Lattice &lattice, bool explain, bool with_elements, bool keep, ResultNotes &notes)
    : lattice_(lattice), explain_(explain), keep_(keep), listed_(with_elements ? lattice.elements() : 0),
      notes_(notes) {
    presentation_from_lattice(lattice, presentation_);
    terms_.reset(presentation_);
    start();
}

// The graph holds the build's elements and what the questions read since.
void Answers::start() {
    decision_.clear();
    forms_.clear();
    elements_ = element_terms_from_lattice(lattice_, terms_, listed_);
    element_of_.clear();
    for (std::size_t e = 0; e < elements_.size(); ++e) {
        auto form = static_cast<std::size_t>(forms_.of(elements_[e]));
        if (element_of_.size() <= form) element_of_.resize(form + 1, -1);
        // The build's elements are distinct: each form is one element's.
        element_of_[form] = static_cast<int>(e);
    }
}

void Answers::forget() {
    terms_.clear();
    start();
}

bool Answers::read(const Question &question, RelationError &error) {
    return question.relation ? parse_relation(question.text, terms_, relation_, error, &elements_)
                             : parse_term(question.text, terms_, term_, error, &elements_);
}

bool Answers::answer(const Question &question, std::string &out) {
    out += question.text;
    if (question.relation) {
        bool holds = relation_holds(decision_, relation_);
        if (keep_) {
            notes_.decided = true;
            notes_.decisions.push_back({std::string(question.text), holds});
        }
        out += holds ? ": true\n" : ": false\n";
        if (explain_) explain_relation(decision_, relation_, out);
        return holds;
    }
    std::vector<CanonicalStep> steps;
    int form = explain_ ? forms_.of(term_, steps) : forms_.of(term_);
    auto at = static_cast<std::size_t>(form);
    int element = at < element_of_.size() ? element_of_[at] : -1;
    std::size_t written_from = out.size() + 3;
    out += " = ";
    terms_.append_text(form, out);
    if (keep_) {
        notes_.canonicalized = true;
        notes_.canonical_forms.push_back({std::string(question.text), out.substr(written_from), element + 1});
    }
    if (element >= 0) out += "  (element " + std::to_string(element + 1) + ")";
    out += "\n";
    if (explain_) explain_canonical(decision_, steps, form != term_, out);
    return true;
}

void AnswerOutput::add(const std::string &text) {
    pending_ += text;
    if (pending_.size() >= OUTPUT_BATCH) flush();
}

bool AnswerOutput::flush() {
    if (!failed_ && !pending_.empty()) {
        // Whatever stdio or the console still holds goes first.
        standard_output_flush_pending(exit_status_);
        int error = write_all(STDOUT_FILENO, pending_.data(), pending_.size());
        if (error != 0) {
            exit_status_.write_failed(Channel::STANDARD_OUTPUT, error);
            failed_ = true;
        }
    }
    pending_.clear();
    return !failed_;
}

int answer_questions(const std::vector<Question> &questions, Answers &answers, AnswerOutput &output) {
    // Read first, all of them, to report a fault before anything is shown;
    // then read again one by one to answer (the graph keeps the terms, so
    // the second reading is cheap).
    for (const Question &q : questions) {
        RelationError error;
        if (!answers.read(q, error)) {
            argument_error(q.relation ? "--decide" : "--canonical", q.text, "character %zu: %s", error.position,
                           error.reason.c_str());
            return 2;
        }
    }
    bool all_hold = true;
    std::string text;
    for (const Question &q : questions) {
        RelationError error;
        (void)answers.read(q, error);
        text.clear();
        all_hold = answers.answer(q, text) && all_hold;
        output.add(text);
    }
    return all_hold ? 0 : 1;
}
