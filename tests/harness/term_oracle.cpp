#include "term_oracle.h"

#include <algorithm>


namespace term_oracle {
namespace {

std::uint64_t bit(int p) { return std::uint64_t{1} << p; }

bool letter_or_digit(char ch) {
    return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

}  // namespace

Terms::Terms(const Lattice &lattice) : p_(lattice) {
    for (int p = 0; p < p_.n; ++p) name_[p] = lattice.name(p);
}

int Terms::add(Node node) {
    nodes_.push_back(std::move(node));
    return static_cast<int>(nodes_.size()) - 1;
}

// join := meet ('+' meet)* ; meet := atom ('.'? atom)* ; atom := name | '(' join ')'
int Terms::read_join(const std::string &text, std::size_t &at) {
    std::vector<int> operands{read_meet(text, at)};
    while (operands.back() >= 0 && at < text.size() && text[at] == '+') {
        ++at;
        operands.push_back(read_meet(text, at));
    }
    if (operands.back() < 0) return -1;
    return operands.size() == 1 ? operands[0] : add({-1, true, operands});
}

int Terms::read_meet(const std::string &text, std::size_t &at) {
    std::vector<int> operands;
    for (;;) {
        if (!operands.empty() && at < text.size() && text[at] == '.') ++at;
        if (at >= text.size()) break;
        char ch = text[at];
        int operand = -1;
        if (ch == '(') {
            ++at;
            operand = read_join(text, at);
            if (operand < 0 || at >= text.size() || text[at] != ')') return -1;
            ++at;
        } else if (letter_or_digit(ch)) {
            for (int p = 0; p < p_.n; ++p)
                if (name_[p] == static_cast<unsigned char>(ch)) operand = add({p, false, {}});
            if (operand < 0) return -1;
            ++at;
        } else {
            break;
        }
        operands.push_back(operand);
    }
    if (operands.empty()) return -1;
    return operands.size() == 1 ? operands[0] : add({-1, false, operands});
}

int Terms::read(const std::string &text) {
    std::size_t at = 0;
    int id = read_join(text, at);
    return at == text.size() ? id : -1;
}

std::uint64_t Terms::ideal(int id) {
    const Node &n = nodes_[static_cast<std::size_t>(id)];
    if (n.generator >= 0) return p_.down[n.generator];
    std::uint64_t set = n.join ? 0 : ~std::uint64_t{0};
    for (int o : std::vector<int>(n.operands)) set = n.join ? set | ideal(o) : set & ideal(o);
    return n.join ? p_.closure(set, true) : set;
}

std::uint64_t Terms::filter(int id) {
    const Node &n = nodes_[static_cast<std::size_t>(id)];
    if (n.generator >= 0) return p_.up[n.generator];
    std::uint64_t set = n.join ? ~std::uint64_t{0} : 0;
    for (int o : std::vector<int>(n.operands)) set = n.join ? set & filter(o) : set | filter(o);
    return n.join ? set : p_.closure(set, false);
}

bool Terms::below(int s, int t) {
    auto found = memo_.find({s, t});
    if (found != memo_.end()) return found->second;
    bool result = (filter(s) & ideal(t)) != 0;
    Node a = nodes_[static_cast<std::size_t>(s)];
    Node b = nodes_[static_cast<std::size_t>(t)];
    if (!result && a.generator < 0) {
        bool every = a.join;
        result = every;
        for (int o : a.operands) result = every ? result && below(o, t) : result || below(o, t);
    }
    if (!result && b.generator < 0) {
        bool every = !b.join;
        result = every;
        for (int o : b.operands) result = every ? result && below(s, o) : result || below(s, o);
    }
    memo_[{s, t}] = result;
    return result;
}

int Terms::join_of(const std::vector<int> &operands, bool join) {
    return operands.size() == 1 ? operands[0] : add({-1, join, operands});
}

std::string Terms::text(int id) {
    Node n = nodes_[static_cast<std::size_t>(id)];
    if (n.generator >= 0) return std::string(1, static_cast<char>(name_[n.generator]));
    std::string out;
    for (std::size_t i = 0; i < n.operands.size(); ++i) {
        const Node &o = nodes_[static_cast<std::size_t>(n.operands[i])];
        bool brackets = n.join ? o.generator < 0 && o.join : o.generator < 0;
        if (n.join && i > 0) out += '+';
        out += brackets ? "(" + text(n.operands[i]) + ")" : text(n.operands[i]);
    }
    return out;
}

// The manual's order: generators first in P's order, then shorter first,
// then by the first operand that differs.
bool Terms::before(int x, int y) {
    const Node a = nodes_[static_cast<std::size_t>(x)];
    const Node b = nodes_[static_cast<std::size_t>(y)];
    if (a.generator >= 0 || b.generator >= 0)
        return a.generator >= 0 && b.generator >= 0 ? a.generator < b.generator : a.generator >= 0;
    std::size_t la = text(x).size(), lb = text(y).size();
    if (la != lb) return la < lb;
    for (std::size_t i = 0; i < a.operands.size() && i < b.operands.size(); ++i)
        if (text(a.operands[i]) != text(b.operands[i])) return before(a.operands[i], b.operands[i]);
    return a.operands.size() < b.operands.size();
}

// Conditions (1)-(4) on the operands of w, a join (a meet: the dual).
std::string Terms::operands_fault(int w) {
    const Node n = nodes_[static_cast<std::size_t>(w)];
    bool join = n.join;
    auto under = [&](int x, int y) { return join ? below(x, y) : below(y, x); };
    std::uint64_t covered = 0;
    for (int o : n.operands) {
        const Node &k = nodes_[static_cast<std::size_t>(o)];
        if (k.generator < 0 && k.join == join) return "an operand of the same kind: " + text(o);
        covered |= join ? ideal(o) : filter(o);
    }
    // The operands before (4): with them, the greatest generators below w
    // that no operand is above, which (3) says were there. (3) holds then
    // by construction; (4) says which of them may be left out.
    std::uint64_t missing = (join ? ideal(w) : filter(w)) & ~covered;
    std::vector<int> full = n.operands;
    for (int p = 0; p < p_.n; ++p)
        if ((missing & bit(p)) && ((join ? p_.up[p] : p_.down[p]) & missing) == bit(p)) full.push_back(add({p, false, {}}));
    for (int x : full)
        for (int y : full)
            if (x != y && under(x, y)) return "(1): " + text(x) + (join ? " below " : " above ") + text(y);
    for (int x : full) {
        const Node k = nodes_[static_cast<std::size_t>(x)];
        if (k.generator < 0)
            for (int inner : k.operands)
                if (under(inner, w)) return "(2): " + text(inner) + " in " + text(x);
    }
    // (4), in the order the generators stand.
    std::vector<int> kept = full;
    for (int p = 0; p < p_.n; ++p) {
        auto at = std::find_if(kept.begin(), kept.end(),
                               [&](int x) { return nodes_[static_cast<std::size_t>(x)].generator == p; });
        if (at == kept.end()) continue;
        std::vector<int> others;
        for (int x : kept)
            if (x != *at) others.push_back(x);
        bool left_out = (missing & bit(p)) != 0;
        if (others.empty() || under(*at, join_of(others, join)) != left_out)
            return "(4): generator " + text(*at) + (left_out ? " left out" : " kept");
        if (left_out) kept.erase(at);
    }
    return "";
}

std::string Terms::canonical_fault(int id) {
    const Node n = nodes_[static_cast<std::size_t>(id)];
    if (n.generator >= 0) return "";
    for (int o : n.operands)
        if (std::string fault = canonical_fault(o); !fault.empty()) return fault;
    if (std::string fault = operands_fault(id); !fault.empty()) return fault + " in " + text(id);
    for (std::size_t i = 1; i < n.operands.size(); ++i)
        if (!before(n.operands[i - 1], n.operands[i])) return "order: " + text(id);
    return "";
}

}  // namespace term_oracle
