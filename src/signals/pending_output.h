// Console text on its way to one descriptor: collected in a fixed buffer and
// written out in one write at each flush, so that a session costs a few
// hundred writes rather than one per byte. A signal handler may write out
// what is pending between any two of these operations, or inside one, without
// tearing or repeating text, and the text stays whole and in order when the
// program goes on (the property and signal tests interleave both kinds of
// moments). A handler that comes during the program's own flush writes
// nothing: if it then ends the program, that flush's text may be lost.
#pragma once

// Bytes the buffer holds.
constexpr int PENDING_OUTPUT_CAPACITY = 8192;

// Sets the descriptor the text goes to, once it is open.
void pending_output_attach(int fd);

// Adds bytes, writing out the buffer first when they would not fit. Returns
// false once the output has failed (now or earlier); nothing is written then.
bool pending_output_add(const char *bytes, int length);

// Writes out everything pending. Returns false once the output has failed.
bool pending_output_flush();

// For a signal handler: writes out what is pending, unless the program is in
// the middle of a flush of its own (that text may then be lost; a repeat
// would be worse). Async-signal-safe.
void pending_output_flush_from_handler();

// errno of the write that failed, or 0 while the output works.
int pending_output_error();

// Forgets the descriptor, the pending text and any failure, as at start.
void pending_output_reset();
