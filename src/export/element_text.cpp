// Names and terms as UTF-8 text: the terms by the console's own walk, but
// collected whole, without the console's line breaks.
#include "export/element_text.h"

#include "console/cp437.h"
#include "free_lattice/element_terms.h"

namespace {

void append_character(std::string &text, unsigned char byte) {
    char utf8[CP437_UTF8_MAX];
    int length = cp437_to_utf8(byte, utf8);
    text.append(utf8, static_cast<std::size_t>(length));
}

// The walk hands over the characters one at a time, with the text they go to.
void collect(int ch, void *text) { append_character(*static_cast<std::string *>(text), static_cast<unsigned char>(ch)); }

}  // namespace

bool element_named(const Lattice &lattice, int e) { return lattice.name(e) != 0; }

std::string element_name(const Lattice &lattice, int e) {
    std::string text;
    append_character(text, lattice.name(e));
    return text;
}

std::string element_term(const Lattice &lattice, int e) {
    std::string text;
    walk_term(lattice, e, collect, &text);
    return text;
}
