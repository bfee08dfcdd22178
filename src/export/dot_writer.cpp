#include "export/dot_writer.h"

#include "export/covers.h"
#include "export/element_text.h"
#include "workspace/workspace.h"

std::string dot_quoted(const std::string &text) {
    std::string quoted = "\"";
    for (char ch : text) {
        if (ch == '"' || ch == '\\') quoted += '\\';
        quoted += ch;
    }
    quoted += '"';
    return quoted;
}

std::string dot_text(int count) {
    // Drawn as Hasse diagrams are: upward, lines without arrowheads.
    std::string text = "digraph lattice {\n  rankdir=BT;\n  edge [dir=none];\n";
    for (int e = 0; e < count; ++e) {
        text += "  " + std::to_string(e) + " [label=" +
                dot_quoted(element_name(e) + ": " + element_term(e)) +
                (e < generator_count ? ", shape=box];\n" : ", shape=ellipse];\n");
    }
    for (const CoveringPair &pair : covering_pairs(count)) {
        text += "  " + std::to_string(pair.lower) + " -> " + std::to_string(pair.upper) + ";\n";
    }
    text += "}\n";
    return text;
}
