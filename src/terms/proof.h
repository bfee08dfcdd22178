// A proof about the terms of one graph that a reader can check by hand:
// numbered paragraphs, one for each relation s <= t it rests on, each
// explained once by Dean's conditions (decision.h) down to the generators,
// citing the order of P and the operations P defines where it uses them.
//
// The text comes in blocks (a paragraph, or a step of the caller's own):
// lines of at most 80 columns, broken only at blanks, the lines a line wraps
// onto indented by 7 blanks. A term longer than 60 characters is written as
// a label "[N]" instead; before the first block that uses it comes its
// introduction on lines of its own, "  [N] = " and the whole term, which
// goes on over as many lines as it needs, each cut after the last '+' that
// fits or else at the 80th column, and indented to where the term began.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "terms/order_decision.h"

class Proof {
public:
    static constexpr std::size_t WIDTH = 80;
    static constexpr std::size_t CONTINUATION = 7;
    static constexpr std::size_t TERM_INLINE = 60;

    // Appends to text (a caller writes to it only between blocks); decides
    // through decision, over its graph, which may grow meanwhile.
    Proof(OrderDecision &decision, std::string &text);

    // The number of s <= t in this proof (1, 2, ... in the order first
    // cited). The first time, queues a paragraph that gives one reason for it.
    int cite(int s, int t);
    // As cite, for a relation asked about: if it fails, its paragraph says
    // why each condition that applies fails.
    int claim(int s, int t);

    // Starts a line of the current block with lead (indentation and mark,
    // as "  3. " or "     - ").
    void line(std::string_view lead);
    // Appends words: a blank ends a word (except before '(' and around '='),
    // and a word that would pass the 80th column starts a new line; one of up
    // to 73 characters always fits. Text without blanks joins the word being
    // written.
    void prose(std::string_view text);
    // Appends a term to the word being written: its text, or its label.
    void term(int id);
    // Ends the block (after a line()): the introductions of the labels it
    // used first, then its lines, go to the text.
    void end_block();

    // Writes every queued paragraph not yet written, in number order, each
    // once, with those they cite in turn (explanation.cpp, with the
    // paragraphs).
    void write_paragraphs();

private:
    struct Cited {
        int s;
        int t;
        bool every_condition;
    };

    int number(int s, int t, bool every_condition);
    void flush_word();
    void introduce(int id, int label);

    // The paragraphs (explanation.cpp).
    void paragraph(const Cited &c, int number);
    void holds(int s, int t);
    void fails(int s, int t, bool every_condition);
    void generator_set(int w, bool ideal);
    void membership_reasons(int g, int lower, int upper);
    void every_failing_condition(int s, int t);
    void no_generator_between(int s, int t);
    void failing_operand(int s, int t, bool upper);
    void failing_operands(int s, int t, bool upper);
    void operand_list(int s, int t, bool upper);
    void generator_name(int g);
    int first_operand(int whole, const std::function<bool(int)> &test) const;

    OrderDecision &decision_;
    const TermGraph &terms_;
    std::string &text_;
    std::unordered_map<std::uint64_t, int> numbers_;
    std::vector<Cited> cited_;  // by number - 1
    std::size_t written_ = 0;   // paragraphs written
    std::unordered_map<int, int> labels_;
    std::string intros_;  // label introductions for the current block
    std::string block_;
    std::string word_;
    std::size_t column_ = 0;
    bool line_open_ = false;
    bool blank_ = false;        // a blank before word_ when it is placed
    bool blank_after_ = false;  // a blank after word_, which may yet join it
};
