// Relations between terms over a partial lattice P, decided in the free
// lattice FL(P) by Dean's solution of the word problem, straight on the
// terms: no build and no bound on the number of elements.
//
// A relation is S<=T, S>=T or S=T, with blanks allowed around the sign and
// nowhere else. A term is made of P's one-character names, '+' for join,
// juxtaposition or '.' for meet (binding tighter than '+'), and parentheses.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <vector>

#include "terms/order_decision.h"
#include "terms/partial_lattice.h"
#include "terms/term_graph.h"

// Longer relations and deeper nesting are refused with an error. Within
// them: a compound subterm takes about two characters of the text at least,
// so the sides have at most about 5,000 distinct subterms each (both
// together about 10,000); the decision remembers each pair of subterms it
// visits and looks at each pair's operands once.
constexpr std::size_t RELATION_MAX_LENGTH = 20000;
constexpr int TERM_MAX_DEPTH = 1000;

enum class RelationSign : unsigned char { BELOW, ABOVE, EQUAL };  // <=, >=, =

// A relation read into a term graph: its two sides are terms of that graph.
struct ParsedRelation {
    int left = -1;   // S
    int right = -1;  // T
    RelationSign sign = RelationSign::BELOW;
};

// What is wrong with a relation: the 1-based position of the character where
// it shows (one past the end when the text ends too soon), and a reason that
// reads after "character N: ".
struct RelationError {
    std::size_t position = 0;
    std::string reason;
};

// The build's elements for "#N" in a term: element N (as the build numbers
// its lines) is the term elements[N-1] of the graph.
using ElementTerms = std::vector<int>;

// Reads text as a relation over the graph's P, adding the subterms of both
// sides to terms (shared with every term read into it before). "#N" stands
// for element N of elements when they are given. On failure out is unusable
// and error says where and why; terms keeps what it held and may hold more.
bool parse_relation(std::string_view text, TermGraph &terms, ParsedRelation &out, RelationError &error,
                    const ElementTerms *elements = nullptr);

// Reads text as one term alone (no blanks, no sign), as parse_relation does
// a side.
bool parse_term(std::string_view text, TermGraph &terms, int &out, RelationError &error,
                const ElementTerms *elements = nullptr);

// Whether the relation holds in FL(P): S=T when S<=T and T<=S. The decision
// is over the graph the relation was read into.
bool relation_holds(OrderDecision &decision, const ParsedRelation &r);

// Appends why the relation holds or fails, as a proof (proof.h): numbered
// sub-relations, each explained once and referred to by number after that,
// on lines indented by two blanks or more, each ending in "\n". S<=T is
// paragraph 1; S>=T is explained as T<=S, S=T as both under one numbering.
void explain_relation(OrderDecision &decision, const ParsedRelation &r, std::string &text);
