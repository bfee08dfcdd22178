// What each paragraph of a proof says: why s <= t holds or fails, by the
// condition the decision settles it with. A step that rests on generators
// shows the sets I and F it reads and cites the facts of P that put its
// generator there; the others refer to the paragraphs of the relations
// between operands they rest on.
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "checks/invariant.h"
#include "terms/generator_sets.h"
#include "terms/order_decision.h"
#include "terms/proof.h"
#include "terms/relations.h"

namespace {

bool is_generator(const TermGraph &terms, int id, int g) {
    const TermNode &n = terms.node(id);
    return n.kind == TermKind::GENERATOR && n.generator == g;
}

// "a+c=p and p+e=q are defined and p<b in P", the facts in the order given
// within each kind.
std::string facts_clause(const TermGraph &terms, const std::vector<PosetFact> &facts) {
    std::vector<std::string> defined;
    std::vector<std::string> order;
    for (const PosetFact &f : facts) {
        std::string text(1, static_cast<char>(terms.name(f.x)));
        text += f.kind == FactKind::BELOW ? '<' : f.kind == FactKind::JOIN ? '+' : '.';
        text += static_cast<char>(terms.name(f.y));
        if (f.kind != FactKind::BELOW) text += std::string("=") + static_cast<char>(terms.name(f.z));
        if (f.kind == FactKind::BELOW) order.push_back(text);
        else defined.push_back(text);
    }
    auto list = [](const std::vector<std::string> &items) {
        std::string text;
        for (std::size_t i = 0; i < items.size(); ++i)
            text += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
        return text;
    };
    std::string clause;
    if (!defined.empty()) clause = list(defined) + (defined.size() == 1 ? " is defined" : " are defined");
    if (!defined.empty() && !order.empty()) clause += " and ";
    if (!order.empty()) clause += list(order) + " in P";
    return clause;
}

}  // namespace

// The first operand of whole that passes test; the decision says one does.
int Proof::first_operand(int whole, const std::function<bool(int)> &test) const {
    std::uint32_t i = 0;
    while (!test(static_cast<int>(terms_.operand(whole, i)))) {
        ++i;
        INVARIANT(i < terms_.node(whole).count);
    }
    return static_cast<int>(terms_.operand(whole, i));
}

void Proof::generator_name(int g) { prose(std::string(1, static_cast<char>(terms_.name(g)))); }

// "I(w) = {a, b}" (ideal) or "F(w) = {...}".
void Proof::generator_set(int w, bool ideal) {
    prose(ideal ? "I(" : "F(");
    term(w);
    prose(") = {");
    std::uint64_t set = ideal ? terms_.node(w).ideal : terms_.node(w).filter;
    for (int g = 0; set != 0; ++g, set >>= 1U) {
        if ((set & 1U) == 0) continue;
        generator_name(g);
        if (set > 1) prose(", ");
    }
    prose("}");
}

// ", as ..." for g in F(lower) and in I(upper) (either -1 when not used).
void Proof::membership_reasons(int g, int lower, int upper) {
    std::vector<PosetFact> facts;
    if (lower >= 0) membership_facts(terms_, g, lower, false, facts);
    if (upper >= 0) membership_facts(terms_, g, upper, true, facts);
    if (!facts.empty()) prose(", as " + facts_clause(terms_, facts));
}

void Proof::write_paragraphs() {
    while (written_ < cited_.size()) {
        Cited c = cited_[written_];
        ++written_;
        paragraph(c, static_cast<int>(written_));
        end_block();
    }
}

void Proof::paragraph(const Cited &c, int number) {
    line("  " + std::to_string(number) + ". ");
    term(c.s);
    prose(" <= ");
    term(c.t);
    if (decision_.below(c.s, c.t)) {
        prose(" holds");
        holds(c.s, c.t);
    } else {
        prose(" fails");
        fails(c.s, c.t, c.every_condition);
    }
}

void Proof::holds(int s, int t) {
    ShortcutWitness w = shortcut_of(terms_, s, t);
    const TermNode &ns = terms_.node(s);
    const TermNode &nt = terms_.node(t);
    if (w.shortcut == Shortcut::SAME_TERM) {
        prose(": both sides are the same term");
        return;
    }
    if (w.shortcut == Shortcut::GENERATOR_BETWEEN) {
        int g = w.generator;
        if (ns.kind == TermKind::GENERATOR && nt.kind == TermKind::GENERATOR) {
            prose(", as ");
            generator_name(ns.generator);
            prose("<");
            generator_name(nt.generator);
            prose(" in P");
            return;
        }
        prose(": ");
        generator_name(g);
        bool left = !is_generator(terms_, s, g);
        bool right = !is_generator(terms_, t, g);
        prose(" is in ");
        if (left) generator_set(s, false);
        if (left && right) prose(" and in ");
        if (right) generator_set(t, true);
        membership_reasons(g, left ? s : -1, right ? t : -1);
        return;
    }
    OperandRule rule = operand_rule_of(terms_, s, t);
    if (rule != OperandRule::SOME) {
        bool upper = rule == OperandRule::EVERY_UPPER;
        prose(upper ? ": the left side is below each meetand on the right:"
                    : ": each joinand on the left is below the right side:");
        operand_list(s, t, upper);
        return;
    }
    // The first operand that holds, in the decision's order: s's meetands
    // (s is a meet: a generator below t has a generator between), then t's
    // joinands, one of which holds when no meetand does.
    for (std::uint32_t i = 0; i < ns.count; ++i) {
        int operand = static_cast<int>(terms_.operand(s, i));
        if (!decision_.below(operand, t)) continue;
        prose(": the meetand ");
        term(operand);
        prose(" on the left is below the right side (" + std::to_string(cite(operand, t)) + ")");
        return;
    }
    int operand = first_operand(t, [&](int o) { return decision_.below(s, o); });
    prose(": the left side is below the joinand ");
    term(operand);
    prose(" on the right (" + std::to_string(cite(s, operand)) + ")");
}

void Proof::fails(int s, int t, bool every_condition) {
    const TermNode &ns = terms_.node(s);
    const TermNode &nt = terms_.node(t);
    if (ns.kind == TermKind::GENERATOR && nt.kind == TermKind::GENERATOR) {
        prose(": ");
        generator_name(ns.generator);
        prose(" is not below ");
        generator_name(nt.generator);
        prose(" in P");
        return;
    }
    if (every_condition) {
        every_failing_condition(s, t);
        return;
    }
    ShortcutWitness w = shortcut_of(terms_, s, t);
    if (w.shortcut == Shortcut::GENERATOR_BELOW || w.shortcut == Shortcut::GENERATOR_ABOVE) {
        // g is in I(s) but not in I(t), or in F(t) but not in F(s).
        bool ideal = w.shortcut == Shortcut::GENERATOR_BELOW;
        int has = ideal ? s : t;
        int lacks = ideal ? t : s;
        prose(": ");
        generator_name(w.generator);
        if (is_generator(terms_, has, w.generator)) {
            prose(" is not in ");
            generator_set(lacks, ideal);
            return;
        }
        prose(" is in ");
        generator_set(has, ideal);
        prose(" but not in ");
        generator_set(lacks, ideal);
        membership_reasons(w.generator, ideal ? -1 : t, ideal ? s : -1);
        return;
    }
    if (OperandRule rule = operand_rule_of(terms_, s, t); rule == OperandRule::SOME) {
        prose(":");
        no_generator_between(s, t);
        failing_operands(s, t, false);
        failing_operands(s, t, true);
    } else {
        prose(": ");
        failing_operand(s, t, rule == OperandRule::EVERY_UPPER);
    }
}

// A join below t needs every joinand below t, and s below a meet needs s
// below every meetand: one operand that fails is the whole reason.
void Proof::failing_operand(int s, int t, bool upper) {
    if (upper) {
        int operand = first_operand(t, [&](int o) { return !decision_.below(s, o); });
        prose("the left side is not below the meetand ");
        term(operand);
        prose(" on the right (" + std::to_string(cite(s, operand)) + ")");
    } else {
        int operand = first_operand(s, [&](int o) { return !decision_.below(o, t); });
        prose("the joinand ");
        term(operand);
        prose(" on the left is not below the right side (" + std::to_string(cite(operand, t)) + ")");
    }
}

void Proof::no_generator_between(int s, int t) {
    line("     - ");
    prose("no generator is in both ");
    generator_set(s, false);
    prose(" and ");
    generator_set(t, true);
}

// The relation asked about: why each condition that applies fails.
void Proof::every_failing_condition(int s, int t) {
    prose(":");
    no_generator_between(s, t);
    if (terms_.node(s).kind == TermKind::JOIN) {
        line("     - ");
        failing_operand(s, t, false);
    }
    failing_operands(s, t, false);
    if (terms_.node(t).kind == TermKind::MEET) {
        line("     - ");
        failing_operand(s, t, true);
    }
    failing_operands(s, t, true);
}

// The meetands of s (or the joinands of t), none of which is below t (above
// s); nothing when s is no meet (t no join).
void Proof::failing_operands(int s, int t, bool upper) {
    const TermNode &n = terms_.node(upper ? t : s);
    if (n.kind != (upper ? TermKind::JOIN : TermKind::MEET)) return;
    line("     - ");
    prose(upper ? "the left side is below no joinand on the right:"
                : "no meetand on the left is below the right side:");
    operand_list(s, t, upper);
}

// Each distinct operand of t (upper) or s, with the number of its relation
// to the other side.
void Proof::operand_list(int s, int t, bool upper) {
    int whole = upper ? t : s;
    const TermNode &n = terms_.node(whole);
    std::unordered_set<std::uint32_t> seen;
    for (std::uint32_t i = 0; i < n.count; ++i) {
        std::uint32_t operand = terms_.operand(whole, i);
        if (!seen.insert(operand).second) continue;
        prose(seen.size() == 1 ? " " : ", ");
        term(static_cast<int>(operand));
        int o = static_cast<int>(operand);
        prose(" (" + std::to_string(upper ? cite(s, o) : cite(o, t)) + ")");
    }
}

void explain_relation(OrderDecision &decision, const ParsedRelation &r, std::string &text) {
    Proof proof(decision, text);
    if (r.sign != RelationSign::ABOVE) proof.claim(r.left, r.right);
    if (r.sign != RelationSign::BELOW) proof.claim(r.right, r.left);
    proof.write_paragraphs();
}
