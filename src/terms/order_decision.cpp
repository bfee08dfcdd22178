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

constexpr std::uint64_t EMPTY = ~std::uint64_t{0};
constexpr std::uint64_t HOLDS = std::uint64_t{1} << 31;

std::size_t slot_of(std::uint64_t pair, std::size_t mask) {
    pair *= 0x9E3779B97F4A7C15ULL;
    return static_cast<std::size_t>(pair >> 32 ^ pair) & mask;
}

}  // namespace

// The shortcuts as shortcut_of tries them, without looking for a witness.
int OrderDecision::known(int s, int t) const {
    if (s == t) return 2;
    const TermNode &lower = terms_.node(s);
    const TermNode &upper = terms_.node(t);
    if ((lower.filter & upper.ideal) != 0) return 2;
    if ((lower.ideal & ~upper.ideal) != 0 || (upper.filter & ~lower.filter) != 0) return 1;
    if (memo_.empty()) return 0;
    std::uint64_t pair = pair_key(s, t);
    std::size_t mask = memo_.size() - 1;
    for (std::size_t slot = slot_of(pair, mask); memo_[slot] != EMPTY; slot = (slot + 1) & mask)
        if ((memo_[slot] & ~HOLDS) == pair) return (memo_[slot] & HOLDS) != 0 ? 2 : 1;
    return 0;
}

void OrderDecision::place(std::uint64_t entry) {
    std::size_t mask = memo_.size() - 1;
    std::size_t slot = slot_of(entry & ~HOLDS, mask);
    while (memo_[slot] != EMPTY) slot = (slot + 1) & mask;
    memo_[slot] = entry;
    filled_.push_back(static_cast<std::uint32_t>(slot));
}

// Only pairs known() does not settle come here, and each once.
void OrderDecision::remember(int s, int t, bool holds) {
    if ((filled_.size() + 1) * 2 > memo_.size()) {
        std::vector<std::uint64_t> entries;
        entries.reserve(filled_.size());
        for (std::uint32_t slot : filled_) entries.push_back(memo_[slot]);
        memo_.assign(memo_.empty() ? 1024 : memo_.size() * 2, EMPTY);
        filled_.clear();
        for (std::uint64_t entry : entries) place(entry);
    }
    place(pair_key(s, t) | (holds ? HOLDS : 0));
}

void OrderDecision::clear() {
    generation_ = terms_.generation();
    stack_.clear();
    for (std::uint32_t slot : filled_) memo_[slot] = EMPTY;
    filled_.clear();
}

bool OrderDecision::below(int s, int t) {
    if (generation_ != terms_.generation()) clear();
    if (int k = known(s, t); k != 0) return k == 2;
    stack_.clear();
    // A frame goes through the operands of one side; SOME may go on to the
    // other's.
    auto through = [&](Frame &f, bool upper) {
        int whole = upper ? f.t : f.s;
        f.upper_operands = upper;
        f.next = 0;
        f.count = terms_.node(whole).count;
        f.operands = terms_.operand_list(whole);
    };
    auto push = [&](int x, int y) {
        OperandRule rule = operand_rule_of(terms_, x, y);
        bool upper_first = rule == OperandRule::EVERY_UPPER ||
                           (rule == OperandRule::SOME && terms_.node(x).kind != TermKind::MEET);
        Frame &f = stack_.emplace_back();
        f.s = x;
        f.t = y;
        f.rule = rule;
        through(f, upper_first);
    };
    push(s, t);
    int pending = 0;  // the value of the pair last finished, for the frame below it
    for (;;) {
        Frame &f = stack_.back();
        bool some = f.rule == OperandRule::SOME;
        int value = 0;
        while (value == 0) {
            if (f.next == f.count) {
                if (some && !f.upper_operands && terms_.node(f.t).kind == TermKind::JOIN) {
                    through(f, true);
                    continue;
                }
                value = some ? 1 : 2;
                break;
            }
            int operand = static_cast<int>(f.operands[f.next]);
            int x = f.upper_operands ? f.s : operand;
            int y = f.upper_operands ? operand : f.t;
            int result = pending != 0 ? pending : known(x, y);
            pending = 0;
            if (result == 0) {
                push(x, y);
                break;
            }
            // Some operand settles SOME when it holds, the others when it fails.
            if (some == (result == 2)) value = result;
            else ++f.next;
        }
        if (value == 0) continue;
        remember(f.s, f.t, value == 2);
        stack_.pop_back();
        if (stack_.empty()) return value == 2;
        pending = value;
    }
}

bool relation_holds(OrderDecision &decision, const ParsedRelation &r) {
    bool below = r.sign == RelationSign::ABOVE || decision.below(r.left, r.right);
    bool above = r.sign == RelationSign::BELOW || decision.below(r.right, r.left);
    return below && above;
}
