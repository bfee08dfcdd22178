#include "export/dot_writer.h"

#include "export/covers.h"
#include "export/element_text.h"

std::string dot_quoted(const std::string &text) {
    std::string quoted = "\"";
    for (char ch : text) {
        if (ch == '"' || ch == '\\') quoted += '\\';
        quoted += ch;
    }
    quoted += '"';
    return quoted;
}

std::string dot_text(const Lattice &lattice, int count) {
    // Drawn as Hasse diagrams are: upward, lines without arrowheads.
    std::string text = "digraph lattice {\n  rankdir=BT;\n  edge [dir=none];\n";
    // A drawing cut off at the limit says so, above the diagram.
    if (!lattice.closed()) {
        text += "  labelloc=t;\n  label=" +
                dot_quoted("The build stopped at the limit: only the first " + std::to_string(count) +
                           " elements are drawn.") +
                ";\n";
    }
    for (int e = 0; e < count; ++e) {
        // A generator's term is its name.
        std::string label = element_named(lattice, e) ? element_name(lattice, e) : std::to_string(e + 1);
        if (e >= lattice.generators()) label += ": " + element_term(lattice, e);
        text += "  " + std::to_string(e) + " [label=" + dot_quoted(label) +
                (e < lattice.generators() ? ", shape=box];\n" : ", shape=ellipse];\n");
    }
    for (const CoveringPair &pair : covering_pairs(lattice, count)) {
        text += "  " + std::to_string(pair.lower) + " -> " + std::to_string(pair.upper) + ";\n";
    }
    text += "}\n";
    return text;
}
