// Terms are written without recursion: a term may be nested as deep as the
// parser allows.
#include <vector>

#include "terms/term_graph.h"

namespace {

bool parenthesised(const TermNode &parent, const TermNode &operand) {
    return parent.kind == TermKind::MEET ? operand.kind != TermKind::GENERATOR : operand.kind == TermKind::JOIN;
}

struct TextFrame {
    int id;
    std::uint32_t next;  // the operand to write next
    bool closes;         // written in parentheses: ')' after it
};

}  // namespace

void TermGraph::append_text(int id, std::string &out) const {
    out.reserve(out.size() + node(id).length);
    std::vector<TextFrame> stack{{id, 0, false}};
    while (!stack.empty()) {
        TextFrame &top = stack.back();
        const TermNode &n = node(top.id);
        if (n.kind == TermKind::GENERATOR) out += static_cast<char>(name(n.generator));
        if (n.kind == TermKind::GENERATOR || top.next == n.count) {
            bool closes = top.closes;
            stack.pop_back();
            if (closes) out += ')';
            continue;
        }
        std::uint32_t i = top.next++;
        int operand_id = static_cast<int>(operand(top.id, i));
        bool parens = parenthesised(n, node(operand_id));
        if (n.kind == TermKind::JOIN && i > 0) out += '+';
        if (parens) out += '(';
        stack.push_back({operand_id, 0, parens});
    }
}
