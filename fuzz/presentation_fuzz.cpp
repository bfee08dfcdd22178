// Fuzzes a presentation as the command line states it: --poset CHAINS,
// --define LIST and --decide RELATION together, through the same readers,
// phases and decision as the program, and checks the result.
//
// Input: CHAINS, then optionally a zero byte and the LIST, then any number
// of relations, each after a zero byte (a zero byte cannot be in an
// argument). Checked: an accepted poset is a partial order holding every
// chain typed; the meets and joins defined are exactly those the LIST
// declares, read here independently; the build's tables are sound; and when the build closes, each relation's decision agrees with the
// built lattice, both terms evaluated through its join and meet tables.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/main_sequence.h"
#include "free_lattice/generation.h"
#include "lattice/lattice.h"
#include "poset/defined_operations.h"
#include "poset/names.h"
#include "presentation/chains.h"
#include "presentation/declaration.h"
#include "terms/relations.h"
#include "workspace_checks.h"

namespace {

using namespace workspace_checks;

// The run's lattice, which the checks watch.
Lattice *lattice = nullptr;

std::vector<std::string_view> parts_of(const std::uint8_t *data, std::size_t size) {
    std::vector<std::string_view> parts;
    std::string_view rest(reinterpret_cast<const char *>(data), size);
    for (;;) {
        std::size_t zero = rest.find('\0');
        parts.push_back(rest.substr(0, zero));
        if (zero == std::string_view::npos) return parts;
        rest.remove_prefix(zero + 1);
    }
}

// Each chain typed, pair by pair: a name and the next one in its chain lie
// in that order (the separators are a space, LF and CR LF).
void check_chains_kept(std::string_view chains) {
    int previous = -1;
    for (std::size_t at = 0; at < chains.size(); ++at) {
        auto c = static_cast<unsigned char>(chains[at]);
        if (c == '<') continue;
        if (!is_name(c)) {
            previous = -1;
            continue;
        }
        int k = lattice->named(c);
        if (k < 0 || k >= lattice->generators()) fail("a name typed is no generator");
        if (previous >= 0 && !lattice->leq(previous, k)) fail("a typed pair is not in the order");
        previous = k;
    }
}

// Whether the list declares the meet (symbol '.') or join ('+') of the
// generators named x and y: "all", or an item x.y or y.x, with or without
// "=v". Items are separated by spaces and commas.
bool declared(std::string_view list, char symbol, char x, char y) {
    std::size_t at = 0;
    while (at < list.size()) {
        std::size_t end = list.find_first_of(" ,", at);
        if (end == std::string_view::npos) end = list.size();
        std::string_view item = list.substr(at, end - at);
        at = end + 1;
        if (item == "all") return true;
        if (item.size() < 3 || item[1] != symbol) continue;
        if ((item[0] == x && item[2] == y) || (item[0] == y && item[2] == x)) return true;
    }
    return false;
}

// The greatest element below both (or least above both, for joins) among
// the generators, or -1.
int poset_bound(int i, int j, bool meet) {
    const Lattice &l = *lattice;
    auto bound = [&](int k) { return meet ? l.leq(k, i) && l.leq(k, j) : l.leq(i, k) && l.leq(j, k); };
    for (int k = 0; k < l.generators(); ++k) {
        if (!bound(k)) continue;
        bool best = true;
        for (int other = 0; other < l.generators() && best; ++other)
            best = !bound(other) || (meet ? l.leq(other, k) : l.leq(k, other));
        if (best) return k;
    }
    return -1;
}

void check_declared(std::string_view list, bool given) {
    const Lattice &l = *lattice;
    for (int i = 0; i < l.generators(); ++i)
        for (int j = 0; j < l.generators(); ++j) {
            if (i == j || l.leq(i, j) || l.leq(j, i)) continue;
            auto x = static_cast<char>(l.name(i));
            auto y = static_cast<char>(l.name(j));
            bool meet = poset_bound(i, j, true) >= 0 && given && declared(list, '.', x, y);
            bool join = poset_bound(i, j, false) >= 0 && given && declared(list, '+', x, y);
            if ((l.meet(i, j) != NO_ELEMENT) != meet) fail("a meet defined otherwise than declared");
            if ((l.join(i, j) != NO_ELEMENT) != join) fail("a join defined otherwise than declared");
        }
}

// Each term of the graph as an element of the closed build, in the order
// the graph made them, so that operands come first.
std::vector<int> elements_of(const TermGraph &terms) {
    std::vector<int> element(static_cast<std::size_t>(terms.size()));
    for (int id = 0; id < terms.size(); ++id) {
        const TermNode &node = terms.node(id);
        if (node.kind == TermKind::GENERATOR) {
            element[static_cast<std::size_t>(id)] = node.generator;
            continue;
        }
        bool join = node.kind == TermKind::JOIN;
        int value = element[terms.operand(id, 0)];
        for (std::uint32_t k = 1; k < node.count; ++k) {
            int other = element[terms.operand(id, k)];
            value = join ? lattice->join(value, other) : lattice->meet(value, other);
            if (value == NO_ELEMENT) fail("a closed build lacks a join or meet");
        }
        element[static_cast<std::size_t>(id)] = value;
    }
    return element;
}

bool holds_in_build(const std::vector<int> &element, const ParsedRelation &r) {
    int s = element[static_cast<std::size_t>(r.left)];
    int t = element[static_cast<std::size_t>(r.right)];
    switch (r.sign) {
    case RelationSign::BELOW: return lattice->leq(s, t);
    case RelationSign::ABOVE: return lattice->leq(t, s);
    case RelationSign::EQUAL: return s == t;
    }
    return false;
}

// The readers tell a refused text on stderr, which would drown libFuzzer's
// lines: it goes nowhere while they read. (The checks' own failures, and
// libFuzzer and the sanitizers, still reach the real one.)
std::FILE *nowhere = nullptr;

bool quietly(bool (*read)(const void *), const void *what) {
    std::FILE *told = stderr;
    stderr = nowhere;
    bool read_well = read(what);
    stderr = told;
    return read_well;
}

Declaration *declaration = nullptr;

bool read_chains(const void *chains) { return enter_chains(static_cast<const char *>(chains), *lattice); }
bool read_lists(const void *lists) {
    return declaration->read(*lattice, *static_cast<const std::vector<const char *> *>(lists));
}

// Explanations cost more than decisions: only for shorter texts.
constexpr std::size_t EXPLAINED_LENGTH = 2000;

void run(const std::vector<std::string_view> &parts) {
    std::string chains(parts[0]);
    std::string list = parts.size() > 1 ? std::string(parts[1]) : "";
    std::vector<const char *> lists;
    if (parts.size() > 1) lists.push_back(list.c_str());
    if (!quietly(read_chains, chains.c_str())) return;
    check_partial_order(lattice->generators());
    check_names(NAMES_MAX);
    check_chains_kept(chains);
    if (!quietly(read_lists, &lists)) return;

    define_partial_lattice(*lattice, *declaration);
    int n = lattice->generators();
    check_operation_tables(n);
    check_declared(list, parts.size() > 1);

    // As --decide does: every relation read into one graph over P as
    // defined, before the build.
    Presentation p;
    presentation_from_lattice(*lattice, p);
    TermGraph terms;
    terms.reset(p);
    std::vector<ParsedRelation> parsed;
    std::vector<bool> verdicts;
    for (std::size_t k = 2; k < parts.size(); ++k) {
        ParsedRelation r;
        RelationError error;
        if (!parse_relation(parts[k], terms, r, error)) {
            if (error.position == 0 || error.position > parts[k].size() + 1 || error.reason.empty())
                fail("a relation's error out of place");
            continue;
        }
        parsed.push_back(r);
    }
    OrderDecision decision(terms);
    for (std::size_t k = 0; k < parsed.size(); ++k) {
        verdicts.push_back(relation_holds(decision, parsed[k]));
        if (parts[k + 2].size() <= EXPLAINED_LENGTH) {
            std::string explanation;
            explain_relation(decision, parsed[k], explanation);
            bool opens = explanation.rfind("  1. ", 0) == 0 || explanation.rfind("  [1] = ", 0) == 0;
            if (!opens || explanation.back() != '\n') fail("an explanation's form");
        }
    }

    build_free_lattice(*lattice, DIALOGUE_LIMIT, nullptr, true);
    int built = lattice->elements();
    check_partial_order(built);
    check_terms(built);
    check_operation_tables(built);
    if (!lattice->closed()) return;
    check_closed(built);
    std::vector<int> element = elements_of(terms);
    for (std::size_t k = 0; k < parsed.size(); ++k)
        if (holds_in_build(element, parsed[k]) != verdicts[k]) fail("a decision disagrees with the built lattice");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

extern "C" int LLVMFuzzerInitialize(int * /*argc*/, char *** /*argv*/) {
    nowhere = std::fopen("/dev/null", "w");
    if (nowhere == nullptr) nowhere = stderr;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    Lattice fresh;
    Declaration declared;
    lattice = &fresh;
    declaration = &declared;
    watch(fresh);
    run(parts_of(data, size));
    return 0;
}
