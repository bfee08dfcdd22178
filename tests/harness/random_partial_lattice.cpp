#include "random_partial_lattice.h"

#include <sstream>

#include "reference.h"
#include "scripted_console.h"

namespace random_lattice {

std::string RandomPartialLattice::describe() const {
    std::ostringstream text;
    text << "generators " << names << ", relations";
    for (auto [p, q] : less) text << ' ' << names[p] << '<' << names[q];
    text << ", defined";
    for (const lattice_setup::DefinedOperation &d : defined)
        text << ' ' << names[d.left] << d.operation << names[d.right];
    return text.str();
}

RandomPartialLattice make_random_partial_lattice(std::uint64_t seed) {
    Random random{seed};
    RandomPartialLattice p;
    bool bow_tie = random.below(4) == 0;
    // Mostly four to six generators, where the rarer rules come into play.
    int n = bow_tie ? 6 : random.below(4) == 0 ? 1 + random.below(3) : 4 + random.below(3);
    p.names = std::string("abcdef").substr(0, static_cast<std::size_t>(n));
    int line[6] = {0, 1, 2, 3, 4, 5};
    for (int i = n - 1; i > 0; --i) std::swap(line[i], line[random.below(i + 1)]);
    int density = random.below(70);
    if (bow_tie) {
        // line[0], line[1] < line[2] < line[3], line[4]; line[5] anywhere.
        p.less = {{line[0], line[2]}, {line[1], line[2]}, {line[2], line[3]}, {line[2], line[4]}};
        int rank = random.below(6);
        for (int i = 0; i < 5; ++i)
            if (random.below(100) < density)
                p.less.push_back(i < rank ? std::pair{line[i], line[5]} : std::pair{line[5], line[i]});
    } else {
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                if (random.below(100) < density) p.less.push_back({line[i], line[j]});
    }

    int defined_share = random.below(101);
    auto is_pair = [](int i, int j, int x, int y) { return (i == x && j == y) || (i == y && j == x); };
    scripted::start("");
    lattice_setup::set_up(p.names, p.less, {});
    for (char operation : {'.', '+'})
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j) {
                if (scripted::lattice().leq(i, j) || scripted::lattice().leq(j, i)) continue;
                int bound = operation == '.' ? reference::meet(scripted::lattice(), i, j, n)
                                              : reference::join(scripted::lattice(), i, j, n);
                bool forced = bow_tie && (operation == '+' ? is_pair(i, j, line[0], line[1])
                                                           : is_pair(i, j, line[3], line[4]));
                if (bound >= 0 && (forced || random.below(100) < defined_share))
                    p.defined.push_back({operation, i, j});
            }
    lattice_setup::set_up(p.names, p.less, p.defined);
    return p;
}

std::string chains_of(const RandomPartialLattice &lattice) {
    std::string chains = lattice.names.substr(0, 1);
    for (std::size_t i = 1; i < lattice.names.size(); ++i) chains += std::string(" ") + lattice.names[i];
    for (auto [p, q] : lattice.less) chains += std::string(" ") + lattice.names[p] + "<" + lattice.names[q];
    return chains;
}

std::string definitions_of(const RandomPartialLattice &lattice) {
    std::string items;
    for (const lattice_setup::DefinedOperation &d : lattice.defined)
        items += std::string(items.empty() ? "" : " ") + lattice.names[d.left] + d.operation + lattice.names[d.right];
    return items;
}

TermTree random_term_tree(Random &random, int depth) {
    TermTree t;
    if (depth == 0 || random.below(3) == 0) {
        t.generator = random.below(scripted::lattice().generators());
        return t;
    }
    t.join = random.below(2) == 0;
    for (int i = 2 + random.below(2); i > 0; --i) t.operands.push_back(random_term_tree(random, depth - 1));
    return t;
}

std::string term_text(const TermTree &tree, Random &random) {
    if (tree.generator >= 0) return std::string(1, static_cast<char>(scripted::lattice().name(tree.generator)));
    std::vector<std::string> parts;
    for (const TermTree &o : tree.operands) parts.push_back("(" + term_text(o, random) + ")");
    for (std::size_t i = parts.size(); i > 1; --i)
        std::swap(parts[i - 1], parts[static_cast<std::size_t>(random.below(static_cast<int>(i)))]);
    std::string sign = tree.join ? "+" : ".";
    std::string out = parts[0];
    if (parts.size() > 2 && random.below(2) == 0) {
        out = "(" + parts[0] + sign + parts[1] + ")";
        parts.erase(parts.begin());
    }
    for (std::size_t i = 1; i < parts.size(); ++i) out += sign + parts[i];
    return out;
}

}  // namespace random_lattice
