// Raw keyboard input for the whole dialogue, and the user's own attributes
// put back on every way out. The saved attributes are held here, where the
// signal handlers find them.
#pragma once

// Saves the attributes of fd and switches its input to raw for the rest of
// the dialogue. Returns false with errno (attributes unchanged) when fd is no
// terminal or the switch fails.
bool terminal_mode_enter(int fd);

// Puts the saved attributes back; terminal_mode_reapply switches to raw
// again while the dialogue lasts. Both are async-signal-safe and return 0 or
// the errno of the failure.
int terminal_mode_restore();
int terminal_mode_reapply();

// Ends the dialogue: restores the attributes and forgets them. Returns 0 or
// the errno of a failed restore.
int terminal_mode_leave();

// True from terminal_mode_enter until terminal_mode_leave.
bool terminal_mode_in_dialogue();
