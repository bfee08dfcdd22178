// One pass over the text with an explicit stack of open parentheses, so that
// nesting costs memory in proportion, never call depth.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "poset/names.h"
#include "terms/relations.h"

namespace {

bool is_sign(char ch) { return ch == '<' || ch == '>' || ch == '='; }

// What may start or continue a term.
bool is_term_character(char ch) {
    return is_name(static_cast<unsigned char>(ch)) || ch == '(' || ch == ')' || ch == '+' || ch == '.';
}

// Where the operands of an open parenthesis (or of the whole term) start in
// the operand stack: its joinands, then the factors of its current meet.
struct OpenLevel {
    std::size_t joinands;
    std::size_t factors;
};

class RelationParser {
public:
    RelationParser(const Presentation &p, std::string_view text, TermGraph &terms, RelationError &error)
        : text_(text), terms_(terms), error_(error) {
        for (int &index : generator_of_) index = -1;
        for (int g = 0; g < p.count; ++g) generator_of_[p.name[g]] = g;
    }

    // The term that starts at at; on success at is where it stops: a blank,
    // a sign or the end.
    int term(std::size_t &at);

    bool fail(std::size_t at, const std::string &reason) {
        error_.position = at + 1;
        error_.reason = reason;
        return false;
    }
    int failed(std::size_t at, const std::string &reason) {
        fail(at, reason);
        return -1;
    }
    // For a character that has no place in a relation.
    bool fail_unexpected(std::size_t at);

    char at_or_end(std::size_t at) const { return at < text_.size() ? text_[at] : '\0'; }
    bool ended(std::size_t at) const { return at >= text_.size(); }

private:
    void close_meet(OpenLevel &level);
    int close_join(const OpenLevel &level);
    int unexpected(std::size_t at, char after, bool term_started);

    std::string_view text_;
    TermGraph &terms_;
    RelationError &error_;
    int generator_of_[256];
    std::vector<std::uint32_t> operands_;
    std::vector<OpenLevel> levels_;
};

// Printable characters are quoted; any other byte is given by its code, so
// that the message holds no control byte and no piece of a UTF-8 character.
bool RelationParser::fail_unexpected(std::size_t at) {
    auto byte = static_cast<unsigned char>(text_[at]);
    char reason[32];
    if (byte > ' ' && byte < 127)
        (void)std::snprintf(reason, sizeof reason, "unexpected character '%c'", byte);
    else
        (void)std::snprintf(reason, sizeof reason, "unexpected byte 0x%02X", byte);
    return fail(at, reason);
}

void RelationParser::close_meet(OpenLevel &level) {
    std::size_t count = operands_.size() - level.factors;
    if (count >= 2) {
        int meet = terms_.compound(TermKind::MEET, &operands_[level.factors], static_cast<std::uint32_t>(count));
        operands_.resize(level.factors);
        operands_.push_back(static_cast<std::uint32_t>(meet));
    }
    level.factors = operands_.size();
}

int RelationParser::close_join(const OpenLevel &level) {
    std::size_t count = operands_.size() - level.joinands;
    int result = static_cast<int>(operands_[level.joinands]);
    if (count >= 2)
        result = terms_.compound(TermKind::JOIN, &operands_[level.joinands], static_cast<std::uint32_t>(count));
    operands_.resize(level.joinands);
    return result;
}

// A term was expected at at, after the character after ('\0' at the start
// of a term), and something else stands there.
int RelationParser::unexpected(std::size_t at, char after, bool term_started) {
    char ch = at_or_end(at);
    if (!term_started && (ended(at) || ch == ' ' || is_sign(ch))) {
        fail(at, "empty term");
    } else if (after == '(' && ch == ')') {
        fail(at, "empty parentheses");
    } else if (after != '\0') {
        fail(at, std::string("term expected after '") + after + "'");
    } else {
        fail(at, std::string("term expected before '") + ch + "'");
    }
    return -1;
}

int RelationParser::term(std::size_t &at) {
    operands_.clear();
    levels_.assign(1, OpenLevel{0, 0});
    bool expecting = true;  // a name or '(' must come next
    char after = '\0';      // the character that made it expected
    bool started = false;
    for (;; ++at) {
        char ch = at_or_end(at);
        bool stops = ended(at) || ch == ' ' || is_sign(ch);
        if (ch == '(' || is_name(static_cast<unsigned char>(ch))) {
            if (ch == '(') {
                if (static_cast<int>(levels_.size()) > TERM_MAX_DEPTH)
                    return failed(at, "term nested deeper than " + std::to_string(TERM_MAX_DEPTH));
                levels_.push_back({operands_.size(), operands_.size()});
                after = '(';
                expecting = true;
            } else {
                int g = generator_of_[static_cast<unsigned char>(ch)];
                if (g < 0) return failed(at, std::string("no element named '") + ch + "' in the poset");
                operands_.push_back(static_cast<std::uint32_t>(terms_.generator(g)));
                expecting = false;
            }
            started = true;
            continue;
        }
        if (!stops && !is_term_character(ch)) {
            fail_unexpected(at);
            return -1;
        }
        if (expecting) return unexpected(at, after, started);
        if (ch == '.') {
            after = '.';
            expecting = true;
        } else if (ch == '+') {
            close_meet(levels_.back());
            after = '+';
            expecting = true;
        } else if (ch == ')') {
            if (levels_.size() == 1) return failed(at, "')' without '('");
            close_meet(levels_.back());
            int inner = close_join(levels_.back());
            levels_.pop_back();
            operands_.push_back(static_cast<std::uint32_t>(inner));
        } else {  // stops
            if (levels_.size() > 1) return failed(at, "')' expected");
            close_meet(levels_.back());
            return close_join(levels_.back());
        }
    }
}

}  // namespace

bool parse_relation(const Presentation &p, std::string_view text, ParsedRelation &out, RelationError &error) {
    if (text.size() > RELATION_MAX_LENGTH) {
        error.position = RELATION_MAX_LENGTH + 1;
        error.reason = "relation longer than " + std::to_string(RELATION_MAX_LENGTH) + " characters";
        return false;
    }
    out.terms.reset(p);
    RelationParser parser(p, text, out.terms, error);
    const char *only_around = "blanks are allowed only around the relation sign";
    auto skip_blanks = [&](std::size_t &at) {
        while (parser.at_or_end(at) == ' ') ++at;
    };

    std::size_t at = 0;
    skip_blanks(at);
    if (at > 0) return parser.fail(0, parser.ended(at) || is_sign(parser.at_or_end(at)) ? "empty term" : only_around);
    out.left = parser.term(at);
    if (out.left < 0) return false;
    std::size_t blank = at;
    skip_blanks(at);
    char sign = parser.at_or_end(at);
    if (parser.ended(at)) return parser.fail(at, "'<=', '>=' or '=' expected");
    if (!is_sign(sign)) return is_term_character(sign) ? parser.fail(blank, only_around) : parser.fail_unexpected(at);
    if (sign != '=') {
        if (parser.at_or_end(at + 1) != '=')
            return parser.fail(at + 1, std::string("'=' expected after '") + sign + "'");
        ++at;
    }
    out.sign = sign == '<' ? RelationSign::BELOW : sign == '>' ? RelationSign::ABOVE : RelationSign::EQUAL;
    ++at;
    skip_blanks(at);
    out.right = parser.term(at);
    if (out.right < 0) return false;
    blank = at;
    skip_blanks(at);
    if (parser.ended(at)) {
        if (blank != at) return parser.fail(blank, only_around);
        return true;
    }
    if (is_sign(parser.at_or_end(at))) return parser.fail(at, "a relation has only one sign");
    return is_term_character(parser.at_or_end(at)) ? parser.fail(blank, only_around) : parser.fail_unexpected(at);
}
