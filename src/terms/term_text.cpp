// Terms are written without recursion: a term may be nested as deep as the
// parser allows, and a long one is written in part, skipping whole operands.
#include <vector>

#include "terms/term_graph.h"

namespace {

constexpr const char *ELISION = " ... ";
constexpr std::size_t ELISION_LENGTH = 5;

bool parenthesised(const TermNode &parent, const TermNode &operand) {
    return parent.kind == TermKind::MEET ? operand.kind != TermKind::GENERATOR : operand.kind == TermKind::JOIN;
}

struct TextFrame {
    int id;
    std::uint32_t next;  // the operand to write next
    bool closes;         // written in parentheses: ')' after it
};

}  // namespace

void TermGraph::append_range(int id, std::size_t from, std::size_t to, std::string &out) const {
    std::size_t position = 0;  // of the next character of the whole text
    auto put = [&](char ch) {
        if (position >= from && position < to) out += ch;
        ++position;
    };
    std::vector<TextFrame> stack{{id, 0, false}};
    while (!stack.empty() && position < to) {
        TextFrame &top = stack.back();
        const TermNode &n = node(top.id);
        if (n.kind == TermKind::GENERATOR) put(static_cast<char>(name(n.generator)));
        if (n.kind == TermKind::GENERATOR || top.next == n.count) {
            bool closes = top.closes;
            stack.pop_back();
            if (closes) put(')');
            continue;
        }
        std::uint32_t i = top.next++;
        int operand_id = static_cast<int>(operand(top.id, i));
        const TermNode &o = node(operand_id);
        bool sign = n.kind == TermKind::JOIN && i > 0;
        bool parens = parenthesised(n, o);
        std::size_t piece = o.length + (parens ? 2U : 0U) + (sign ? 1U : 0U);
        if (position + piece <= from) {
            position += piece;
            continue;
        }
        if (sign) put('+');
        if (parens) put('(');
        stack.push_back({operand_id, 0, parens});
    }
}

void TermGraph::append_text(int id, std::size_t max_length, std::string &out) const {
    std::size_t length = node(id).length;
    if (length <= max_length) {
        append_range(id, 0, length, out);
        return;
    }
    std::size_t kept = max_length - ELISION_LENGTH;
    std::size_t head = kept / 2;
    std::size_t tail = kept - head;
    append_range(id, 0, head, out);
    out += ELISION;
    append_range(id, length - tail, length, out);
}
