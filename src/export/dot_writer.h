// The Hasse diagram in the Graphviz language, for dot to draw.
#pragma once

#include <string>

#include "lattice/lattice.h"

// A digraph drawn bottom to top: node i for element i (0..count-1) labelled
// with its name (past the names, its number in the build, i + 1), and
// ": term" after a generated element's, generators as boxes and generated
// elements as ellipses, and one edge lower -> upper per covering pair. A
// build stopped at the limit labels the graph with that.
std::string dot_text(const Lattice &lattice, int count);

// text as a DOT string literal: in double quotes, with quotes and
// backslashes escaped.
std::string dot_quoted(const std::string &text);
