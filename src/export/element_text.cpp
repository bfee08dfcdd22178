// The same rules as the console's term printing, written into a string: the
// console version breaks long terms into lines and can only print.
#include "export/element_text.h"

#include "console/cp437.h"
#include "workspace/workspace.h"

namespace {

void append_character(std::string &text, unsigned char byte) {
    char utf8[CP437_UTF8_MAX];
    int length = cp437_to_utf8(byte, utf8);
    text.append(utf8, static_cast<std::size_t>(length));
}

void append_term(std::string &text, int e);

void append_operand(std::string &text, int operand) {
    bool generated = operand >= generator_count;
    if (generated) text += '(';
    append_term(text, operand);
    if (generated) text += ')';
}

void append_term(std::string &text, int e) {
    if (e < generator_count) {
        append_character(text, NameTable[e]);
        return;
    }
    const TermRecord &term = TermTable[e];
    append_operand(text, term.left);
    if (term.operation == OP_JOIN) text += '+';
    append_operand(text, term.right);
}

}  // namespace

std::string element_name(int e) {
    std::string text;
    append_character(text, NameTable[e]);
    return text;
}

std::string element_term(int e) {
    std::string text;
    append_term(text, e);
    return text;
}
