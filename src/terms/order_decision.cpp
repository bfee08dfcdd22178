#include "terms/order_decision.h"

#include <bit>

#include "terms/relations.h"

namespace {

// The witness among a set of generators: the given term when it is one of
// them, else the first.
int witness(const TermGraph &terms, std::uint64_t set, int preferred) {
    const TermNode &n = terms.node(preferred);
    if (n.kind == TermKind::GENERATOR && (set >> n.generator & 1U) != 0) return n.generator;
    return std::countr_zero(set);
}

}  // namespace

ShortcutWitness shortcut_of(const TermGraph &terms, int s, int t) {
    if (s == t) return {Shortcut::SAME_TERM, -1};
    const TermNode &lower = terms.node(s);
    const TermNode &upper = terms.node(t);
    if (std::uint64_t between = lower.filter & upper.ideal; between != 0)
        return {Shortcut::GENERATOR_BETWEEN, witness(terms, between, s)};
    if (std::uint64_t missing = lower.ideal & ~upper.ideal; missing != 0)
        return {Shortcut::GENERATOR_BELOW, witness(terms, missing, s)};
    if (std::uint64_t missing = upper.filter & ~lower.filter; missing != 0)
        return {Shortcut::GENERATOR_ABOVE, witness(terms, missing, t)};
    return {Shortcut::NONE, -1};
}

OperandRule operand_rule_of(const TermGraph &terms, int s, int t) {
    if (terms.node(s).kind == TermKind::JOIN) return OperandRule::EVERY_LOWER;
    if (terms.node(t).kind == TermKind::MEET) return OperandRule::EVERY_UPPER;
    return OperandRule::SOME;
}

namespace {

std::uint64_t pair_key(int s, int t) {
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(s)) << 32 | static_cast<std::uint32_t>(t);
}

}  // namespace

int OrderDecision::known(int s, int t) const {
    ShortcutWitness w = shortcut_of(terms_, s, t);
    if (w.shortcut == Shortcut::SAME_TERM || w.shortcut == Shortcut::GENERATOR_BETWEEN) return 2;
    if (w.shortcut != Shortcut::NONE) return 1;
    auto found = memo_.find(pair_key(s, t));
    if (found == memo_.end()) return 0;
    return found->second ? 2 : 1;
}

void OrderDecision::remember(int s, int t, bool holds) { memo_.emplace(pair_key(s, t), holds); }

bool OrderDecision::below(int s, int t) {
    if (int k = known(s, t); k != 0) return k == 2;
    stack_.clear();
    auto push = [&](int x, int y) {
        OperandRule rule = operand_rule_of(terms_, x, y);
        bool upper_first = rule == OperandRule::EVERY_UPPER ||
                           (rule == OperandRule::SOME && terms_.node(x).kind != TermKind::MEET);
        stack_.push_back({x, y, rule, upper_first, 0});
    };
    push(s, t);
    int pending = 0;  // the value of the pair last finished, for the frame below it
    for (;;) {
        Frame &f = stack_.back();
        int value = 0;
        while (value == 0) {
            const TermNode &n = terms_.node(f.upper_operands ? f.t : f.s);
            if (f.next == n.count) {
                if (f.rule == OperandRule::SOME && !f.upper_operands && terms_.node(f.t).kind == TermKind::JOIN) {
                    f.upper_operands = true;
                    f.next = 0;
                    continue;
                }
                value = f.rule == OperandRule::SOME ? 1 : 2;
                break;
            }
            int operand = static_cast<int>(terms_.operand(f.upper_operands ? f.t : f.s, f.next));
            int x = f.upper_operands ? f.s : operand;
            int y = f.upper_operands ? operand : f.t;
            int result = pending != 0 ? pending : known(x, y);
            pending = 0;
            if (result == 0) break;
            // Some operand settles SOME when it holds, the others when it fails.
            if ((f.rule == OperandRule::SOME) == (result == 2)) value = result;
            else ++f.next;
        }
        if (value == 0) {
            const Frame &parent = stack_.back();
            int operand = static_cast<int>(terms_.operand(parent.upper_operands ? parent.t : parent.s, parent.next));
            push(parent.upper_operands ? parent.s : operand, parent.upper_operands ? operand : parent.t);
            continue;
        }
        remember(f.s, f.t, value == 2);
        stack_.pop_back();
        if (stack_.empty()) return value == 2;
        pending = value;
    }
}

bool relation_holds(const Presentation & /*p*/, const ParsedRelation &r) {
    OrderDecision decision(r.terms);
    bool below = r.sign == RelationSign::ABOVE || decision.below(r.left, r.right);
    bool above = r.sign == RelationSign::BELOW || decision.below(r.right, r.left);
    return below && above;
}
