// Scripted console: keys come from a script, every byte written is recorded,
// in call order and per channel. Linked into the tests instead of the terminal.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "console/console.h"
#include "dialogue/main_sequence.h"
#include "lattice/lattice.h"

namespace scripted {

// Starts a fresh script and clears the recording; makes a new console (no
// code pending) and a new lattice, as at program start.
// Script notation: every byte is a one-code key, except "{L,S}" (decimal
// codes), which is a two-code key with lead L and second code S; "{{" is the
// key '{'.
void start(std::string_view keys);

// Runs fn; returns true when it returned, false when it asked for a key after
// the script ran out (the run then ends, as on a terminal without keyboard).
bool run(const std::function<void()> &fn);

// The console on the scripted device, and the lattice the phases fill.
Console &console();
Lattice &lattice();

// Runs the whole program as main does; returns its exit status: the action
// loop's result, or 2 when the script ran out.
int run_program();
int run_program(const SequenceHooks &hooks);

// Keys of the script not read yet (a two-code key counts once).
int keys_left();

// What was written: to the console, to standard output, and both in call
// order, rendered readably (see render()).
const std::string &console_bytes();
const std::string &stdout_bytes();
std::string transcript();

// Makes bytes readable and unambiguous: printable ASCII stays, "\n" stays a
// line end, backslash is "\\", 8 is "\b", 13 is "\r", every other byte
// "\xHH". Standard-output text stands between « and » in a transcript.
std::string render(std::string_view bytes);

// Makes the next console writes fail, as a console that cannot be written.
void fail_console_output(bool fail);

}  // namespace scripted
