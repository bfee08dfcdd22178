// One pass over the text with an explicit stack of open parentheses, so that
// nesting costs memory in proportion, never call depth. Reading is the bulk
// of deciding a long relation, so each character costs a table lookup or
// two, and the stacks are kept from one relation to the next.
#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "poset/names.h"
#include "terms/relations.h"

namespace {

constexpr bool is_sign(char ch) { return ch == '<' || ch == '>' || ch == '='; }

// What a character does in a term: below PRESENTATION_MAX, the generator it
// names; else one of these, in this order (those below STOP may start or
// continue a term).
enum Code : unsigned char {
    UNKNOWN_NAME = 64,  // a name that is not P's
    OPEN,
    CLOSE,
    PLUS,
    DOT,
    HASH,
    STOP,   // a blank or a sign: the term ends
    OTHER,  // no place in a relation
    END,    // past the text
};
static_assert(PRESENTATION_MAX <= UNKNOWN_NAME);

// The codes of characters whatever P is (every name unknown), from the
// poset's own name test.
using CharacterCodes = std::array<unsigned char, 256>;

constexpr CharacterCodes make_character_codes() noexcept {
    CharacterCodes codes{};
    for (int ch = 0; ch < 256; ++ch) {
        unsigned char c = OTHER;
        if (is_name(ch)) c = UNKNOWN_NAME;
        else if (ch == '(') c = OPEN;
        else if (ch == ')') c = CLOSE;
        else if (ch == '+') c = PLUS;
        else if (ch == '.') c = DOT;
        else if (ch == '#') c = HASH;
        else if (ch == ' ' || is_sign(static_cast<char>(ch))) c = STOP;
        codes[static_cast<std::size_t>(ch)] = c;
    }
    return codes;
}

// Made by the compiler: a table, not a variable.
constexpr CharacterCodes CHARACTER_CODES = make_character_codes();

bool is_term_character(char ch) { return CHARACTER_CODES[static_cast<unsigned char>(ch)] < STOP; }

bool is_digit(char ch) { return ch >= '0' && ch <= '9'; }

// Where the operands of an open parenthesis (or of the whole term) start in
// the operand stack: its joinands, then the factors of its current meet.
struct OpenLevel {
    std::uint32_t joinands;
    std::uint32_t factors;
};

// The parser's stacks, kept for the next relation so that reading one
// allocates nothing once they have grown. A character pushes one operand at
// most (a ')' pops at least the one it pushes), a '(' one level.
std::uint32_t *operand_stack(std::size_t text_length) {
    thread_local std::vector<std::uint32_t> stack;
    if (stack.size() < text_length + 1) stack.resize(text_length + 1);
    return stack.data();
}

OpenLevel *level_stack() {
    thread_local std::vector<OpenLevel> stack(TERM_MAX_DEPTH + 1);
    return stack.data();
}

// Writes a copy of a position back to where it came from, however the
// function that moved it returns.
class WriteBack {
public:
    WriteBack(std::size_t &to, const std::size_t &from) : to_(to), from_(from) {}
    WriteBack(const WriteBack &) = delete;
    WriteBack &operator=(const WriteBack &) = delete;
    ~WriteBack() { to_ = from_; }

private:
    std::size_t &to_;
    const std::size_t &from_;
};

class RelationParser {
public:
    RelationParser(std::string_view text, TermGraph &terms, RelationError &error, const ElementTerms *elements)
        : text_(text), terms_(terms), error_(error), elements_(elements), code_(CHARACTER_CODES),
          operands_(operand_stack(text.size())), levels_(level_stack()) {
        const Presentation &p = terms.presentation();
        for (int g = 0; g < p.count; ++g) code_[p.name[g]] = static_cast<unsigned char>(g);
    }

    // The term that starts at where; on success where is where it stops: a
    // blank, a sign or the end.
    int term(std::size_t &where);

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
    std::uint32_t *close_meet(OpenLevel &level, std::uint32_t *top);
    int close_join(const OpenLevel &level, const std::uint32_t *top);
    int unexpected(std::size_t at, char after, bool term_started);
    int element(std::size_t &at);

    std::string_view text_;
    TermGraph &terms_;
    RelationError &error_;
    const ElementTerms *elements_;
    CharacterCodes code_;
    std::uint32_t *operands_;  // the operand stack's bottom
    OpenLevel *levels_;
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

// The factors of the level's current meet (one at least) become one
// operand; returns the new top of the operand stack.
std::uint32_t *RelationParser::close_meet(OpenLevel &level, std::uint32_t *top) {
    std::uint32_t *factors = operands_ + level.factors;
    auto count = static_cast<std::uint32_t>(top - factors);
    if (count >= 2) {
        *factors = static_cast<std::uint32_t>(terms_.compound(TermKind::MEET, factors, count));
        top = factors + 1;
    }
    level.factors = static_cast<std::uint32_t>(top - operands_);
    return top;
}

// The level's joinands as one term; the caller drops them from the stack.
int RelationParser::close_join(const OpenLevel &level, const std::uint32_t *top) {
    std::uint32_t *joinands = operands_ + level.joinands;
    auto count = static_cast<std::uint32_t>(top - joinands);
    return count >= 2 ? terms_.compound(TermKind::JOIN, joinands, count) : static_cast<int>(*joinands);
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

// "#N" at at: element N of the build. On success at is on its last digit.
int RelationParser::element(std::size_t &at) {
    std::size_t first = at + 1;
    std::size_t end = first;
    std::size_t number = 0;
    std::size_t listed = elements_ == nullptr ? 0 : elements_->size();
    while (is_digit(at_or_end(end))) {
        // Past the last element the number is wrong however it goes on.
        if (number <= listed) number = number * 10 + static_cast<std::size_t>(at_or_end(end) - '0');
        ++end;
    }
    if (end == first) return failed(first, "element number expected after '#'");
    if (number == 0 || number > listed)
        return failed(first, "no element #" + std::string(text_.substr(first, end - first)) + " in the build (it lists " +
                                  std::to_string(listed) + ")");
    at = end - 1;
    return (*elements_)[number - 1];
}

int RelationParser::term(std::size_t &where) {
    // A copy of the position, written back however the term ends: the
    // compiler keeps a copy in a register, not a reference in memory.
    std::size_t at = where;
    WriteBack write_back(where, at);
    std::uint32_t *top = operands_;
    OpenLevel *level = levels_;  // the innermost open parenthesis, or the term
    *level = {0, 0};
    bool expecting = true;  // a name or '(' must come next
    char after = '\0';      // the character that made it expected
    bool started = false;
    const char *text = text_.data();
    std::size_t size = text_.size();
    for (;; ++at) {
        unsigned code = at < size ? code_[static_cast<unsigned char>(text[at])] : unsigned{END};
        if (code < PRESENTATION_MAX) {
            *top++ = static_cast<std::uint32_t>(TermGraph::generator(static_cast<int>(code)));
            expecting = false;
            started = true;
            continue;
        }
        switch (code) {
        case UNKNOWN_NAME:
            return failed(at, std::string("no element named '") + text[at] + "' in the poset");
        case OPEN: {
            if (level - levels_ >= TERM_MAX_DEPTH)
                return failed(at, "term nested deeper than " + std::to_string(TERM_MAX_DEPTH));
            auto here = static_cast<std::uint32_t>(top - operands_);
            *++level = {here, here};
            after = '(';
            expecting = true;
            started = true;
            continue;
        }
        case HASH: {
            int e = element(at);
            if (e < 0) return -1;
            *top++ = static_cast<std::uint32_t>(e);
            expecting = false;
            started = true;
            continue;
        }
        case OTHER:
            fail_unexpected(at);
            return -1;
        default:
            break;
        }
        if (expecting) return unexpected(at, after, started);
        if (code == DOT) {
            after = '.';
            expecting = true;
        } else if (code == PLUS) {
            top = close_meet(*level, top);
            after = '+';
            expecting = true;
        } else if (code == CLOSE) {
            if (level == levels_) return failed(at, "')' without '('");
            top = close_meet(*level, top);
            int inner = close_join(*level, top);
            top = operands_ + level->joinands;
            --level;
            *top++ = static_cast<std::uint32_t>(inner);
        } else {  // STOP or END
            if (level != levels_) return failed(at, "')' expected");
            top = close_meet(*level, top);
            return close_join(*level, top);
        }
    }
}

bool too_long(std::string_view text, const char *what, RelationError &error) {
    if (text.size() <= RELATION_MAX_LENGTH) return false;
    error.position = RELATION_MAX_LENGTH + 1;
    error.reason = std::string(what) + " longer than " + std::to_string(RELATION_MAX_LENGTH) + " characters";
    return true;
}

}  // namespace

bool parse_term(std::string_view text, TermGraph &terms, int &out, RelationError &error,
                const ElementTerms *elements) {
    if (too_long(text, "term", error)) return false;
    RelationParser parser(text, terms, error, elements);
    if (parser.at_or_end(0) == ' ') return parser.fail(0, "blanks are not allowed in a term");
    std::size_t at = 0;
    out = parser.term(at);
    if (out < 0) return false;
    if (parser.ended(at)) return true;
    // A term stops only at a blank, a sign or the end.
    return parser.fail(at, parser.at_or_end(at) == ' ' ? "blanks are not allowed in a term" : "a term has no relation sign");
}

bool parse_relation(std::string_view text, TermGraph &terms, ParsedRelation &out, RelationError &error,
                    const ElementTerms *elements) {
    if (too_long(text, "relation", error)) return false;
    RelationParser parser(text, terms, error, elements);
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
