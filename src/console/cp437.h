// Code page 437, the character set of the console bytes, against Unicode:
// console bytes become UTF-8 for a terminal, typed characters become bytes.
#pragma once

// Longest UTF-8 text of one console byte.
constexpr int CP437_UTF8_MAX = 3;

// Writes the UTF-8 text showing console byte `byte` into out and returns its
// length (1..3). 8, 10 and 13 stay themselves (backspace, new line, carriage
// return), 0 is a blank, every other byte is its code page 437 character
// (the glyphs for 1..31 and 127, the letters and box drawing for 128..255).
int cp437_to_utf8(unsigned char byte, char (&out)[CP437_UTF8_MAX]);

// The byte of code page 437 whose character is code point `code_point`, or -1
// when the code page has none. 0, 8, 10 and 13 are never results: on the
// console they act as controls, so their glyphs do not stand for them.
int cp437_from_unicode(unsigned long code_point);
