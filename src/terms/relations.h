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

struct ParsedRelation {
    TermGraph terms;  // both sides, sharing their common subterms
    int left = -1;    // S
    int right = -1;   // T
    RelationSign sign = RelationSign::BELOW;
};

// What is wrong with a relation: the 1-based position of the character where
// it shows (one past the end when the text ends too soon), and a reason that
// reads after "character N: ".
struct RelationError {
    std::size_t position = 0;
    std::string reason;
};

// Reads text as a relation over P. On failure out is unusable and error says
// where and why.
bool parse_relation(const Presentation &p, std::string_view text, ParsedRelation &out, RelationError &error);

// Whether the relation holds in FL(P): S=T when S<=T and T<=S.
bool relation_holds(const Presentation &p, const ParsedRelation &r);

// Appends why the relation holds or fails: numbered sub-relations, each
// explained once and referred to by number after that, on lines indented by
// two blanks, each ending in "\n". S>=T is explained as T<=S, S=T as both.
void explain_relation(const Presentation &p, const ParsedRelation &r, std::string &text);
