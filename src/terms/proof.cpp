// The proof's numbering and its layout; what each paragraph says is in
// explanation.cpp.
#include "terms/proof.h"

#include "checks/invariant.h"

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
    blank_ = false;
}

void Proof::flush_word() {
    blank_after_ = false;
    if (word_.empty()) return;
    std::size_t gap = blank_ ? 1 : 0;
    if (column_ + gap + word_.size() > WIDTH) {
        block_.erase(block_.find_last_not_of(' ') + 1);  // the blanks of a lead left alone
        block_ += '\n';
        block_.append(CONTINUATION, ' ');
        column_ = CONTINUATION;
        gap = 0;
    }
    block_.append(gap, ' ');
    block_ += word_;
    column_ += gap + word_.size();
    blank_ = false;
    word_.clear();
}

// A blank before '(' or around '=' keeps the words on either side together:
// a reference "(N)" stays on the line of what it refers to, and "I(w) = {a,"
// on one line.
void Proof::prose(std::string_view text) {
    for (char ch : text) {
        if (ch == ' ') {
            blank_after_ = true;
            continue;
        }
        if (blank_after_) {
            blank_after_ = false;
            if (ch == '(' || ch == '=' || word_.ends_with('=')) {
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
    if (blank_after_) {
        flush_word();
        blank_ = true;
    }
    if (terms_.node(id).length <= TERM_INLINE) {
        terms_.append_text(id, word_);
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
    terms_.append_text(id, whole);
    std::string lead = "  [" + std::to_string(label) + "] = ";
    intros_ += lead;
    std::size_t room = WIDTH - lead.size();
    for (std::size_t at = 0; at < whole.size();) {
        std::size_t cut = whole.size() - at <= room ? whole.size() : at + room;
        std::size_t plus = std::string_view(whole).substr(at, cut - at).rfind('+');
        if (cut < whole.size() && plus != std::string_view::npos) cut = at + plus + 1;
        if (at > 0) intros_.append(lead.size(), ' ');
        intros_.append(whole, at, cut - at);
        intros_ += '\n';
        at = cut;
    }
}

void Proof::end_block() {
    INVARIANT(line_open_);
    flush_word();
    block_ += '\n';
    text_ += intros_;
    text_ += block_;
    intros_.clear();
    block_.clear();
    line_open_ = false;
    blank_ = false;
}
