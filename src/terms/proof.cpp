// The proof's numbering and its layout; what each paragraph says is in
// explanation.cpp.
#include "terms/proof.h"

Proof::Proof(OrderDecision &decision, std::string &text)
    : decision_(decision), terms_(decision.terms()), text_(text) {}

int Proof::number(int s, int t, bool every_condition) {
    std::uint64_t key =
        static_cast<std::uint64_t>(static_cast<std::uint32_t>(s)) << 32U | static_cast<std::uint32_t>(t);
    auto [place, added] = numbers_.try_emplace(key, static_cast<int>(cited_.size()) + 1);
    if (added) cited_.push_back({s, t, every_condition});
    // Asked about after being cited: in full after all, unless written already.
    if (every_condition) cited_[static_cast<std::size_t>(place->second - 1)].every_condition = true;
    return place->second;
}

int Proof::cite(int s, int t) { return number(s, t, false); }

int Proof::claim(int s, int t) { return number(s, t, true); }

void Proof::line(std::string_view lead) {
    flush_word();
    if (line_open_) block_ += '\n';
    block_ += lead;
    column_ = lead.size();
    line_open_ = true;
    line_has_word_ = false;
    blank_ = false;
}

void Proof::flush_word() {
    blank_in_word_ = false;
    if (word_.empty()) return;
    bool blank = blank_ && line_has_word_;
    // A word goes on with the next line when it does not fit and that line
    // gives it more room.
    if (column_ + (blank ? 1 : 0) + word_.size() > WIDTH && column_ > CONTINUATION) {
        while (!block_.empty() && block_.back() == ' ') block_.pop_back();  // a lead left alone
        block_ += '\n';
        block_.append(CONTINUATION, ' ');
        column_ = CONTINUATION;
    } else if (blank) {
        block_ += ' ';
        ++column_;
    }
    block_ += word_;
    column_ += word_.size();
    line_has_word_ = true;
    blank_ = false;
    word_.clear();
}

// A blank before '(' or around '=' keeps the words on either side together:
// a reference "(N)" stays on the line of what it refers to, and "I(w) = {a,"
// on one line.
void Proof::prose(std::string_view text) {
    for (char ch : text) {
        if (ch == ' ') {
            if (word_.empty()) blank_ = true;
            else blank_in_word_ = true;
            continue;
        }
        if (blank_in_word_) {
            blank_in_word_ = false;
            if (ch == '(' || ch == '=' || word_.back() == '=') {
                word_ += ' ';
            } else {
                flush_word();
                blank_ = true;
            }
        }
        word_ += ch;
    }
}

void Proof::term(int id) {
    if (blank_in_word_) {
        flush_word();
        blank_ = true;
    }
    if (terms_.node(id).length <= TERM_INLINE) {
        terms_.append_text(id, TERM_INLINE, word_);
        return;
    }
    auto [place, added] = labels_.try_emplace(id, static_cast<int>(labels_.size()) + 1);
    if (added) introduce(id, place->second);
    word_ += "[" + std::to_string(place->second) + "]";
}

// The whole term, cut into lines after the last '+' that fits (a reader
// joins them again by dropping the line breaks and the blanks before each).
void Proof::introduce(int id, int label) {
    std::string whole;
    terms_.append_text(id, terms_.node(id).length, whole);
    std::string lead = "  [" + std::to_string(label) + "] = ";
    intros_ += lead;
    std::size_t room = WIDTH - lead.size();
    for (std::size_t at = 0; at < whole.size();) {
        std::size_t cut = whole.size() - at <= room ? whole.size() : at + room;
        if (cut < whole.size())
            if (std::size_t plus = whole.rfind('+', cut - 1); plus != std::string::npos && plus >= at) cut = plus + 1;
        if (at > 0) intros_.append(lead.size(), ' ');
        intros_.append(whole, at, cut - at);
        intros_ += '\n';
        at = cut;
    }
}

void Proof::end_block() {
    flush_word();
    if (line_open_) block_ += '\n';
    text_ += intros_;
    text_ += block_;
    intros_.clear();
    block_.clear();
    line_open_ = false;
    line_has_word_ = false;
    blank_ = false;
}

void Proof::write_paragraphs() {
    while (written_ < cited_.size()) {
        Cited c = cited_[written_];
        ++written_;
        paragraph(c, static_cast<int>(written_));
        end_block();
    }
}
