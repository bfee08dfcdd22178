// The one owner of signals. Its handlers are installed once, at the start of
// the run, and run a fixed list of async-signal-safe clean-ups: write out the
// pending output (signals/pending_output.h), put the terminal's attributes
// back (signals/terminal_mode.h), remove the temporary file held (below).
// Then a terminating signal takes its default action, so that the exit status
// still tells it; a stop stops, and a continue makes the input raw again. A
// signal ignored when the program started stays ignored.
#pragma once

// SIGTERM, SIGHUP, SIGINT, SIGQUIT and SIGPIPE end the program after the
// clean-ups (standard output into a pipe whose reader has gone ends it
// quietly, as a Unix filter); SIGTSTP stops it after the first two; SIGCONT
// reapplies raw input; SIGXFSZ is a write error (a file size limit fails
// like a full disk). Call once, before anything a handler cleans up exists.
void signals_install();

// From now on SIGPIPE is a write error too (EPIPE, told like a full disk):
// for a run that holds the terminal, which must go on to its end and put it
// back. (An export written in place blocks SIGPIPE itself: whole_file.cpp.)
void signals_keep_going_on_broken_pipe();

// The temporary file a terminating signal removes, one at a time. Creates a
// file from name_template (as mkostemp, with flags) and holds it: from then
// on, until it is released, a terminating signal removes it. Returns the
// descriptor, or -1 with errno (nothing held then). name_template must fit
// HELD_FILE_NAME_MAX bytes with its ending zero.
constexpr int HELD_FILE_NAME_MAX = 4096;
int held_file_create(const char *name_template, int flags);

// Renames the held file to path and lets it go: 0, or the errno of the
// rename (the file is still held then).
int held_file_rename(const char *path);

// Removes the held file, if one is, and lets it go.
void held_file_remove();
