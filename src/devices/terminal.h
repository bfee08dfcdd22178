// The parts of the terminal device, shared among its files: the two device
// openings, the raw input mode, the signal handlers and the key reader.
#pragma once

// Input side of /dev/tty, opened on first use. Returns the descriptor, or -1
// when it is unavailable; the cause of a failed opening is then in *cause.
int terminal_input_fd(const char **cause);

// Output side of /dev/tty, opened on first use. Returns -1 when unavailable;
// a failed opening is noted for the exit status (ending/exit_status.h).
int terminal_output_fd();

// True once the output side could not be opened or a write to it failed.
bool terminal_output_lost();

// Writes out the console text still held; a write that failed now or earlier
// is noted for the exit status (ending/exit_status.h).
void terminal_flush_for_the_end();

// Closes whatever is open and forgets failed openings.
void terminal_close_devices();

// Saves the attributes of fd and switches its input to raw for the rest of
// the dialogue. Returns false with errno (attributes unchanged) when fd is no
// terminal or the switch fails.
bool raw_mode_enter(int fd);

// Puts the saved attributes back; raw_mode_reapply switches to raw again
// while the dialogue lasts. Both are async-signal-safe and return 0 or the
// errno of the failure.
int raw_mode_restore();
int raw_mode_reapply();

// Ends the dialogue: restores the attributes and forgets them. Returns 0 or
// the errno of a failed restore.
int raw_mode_leave();

// True from raw_mode_enter until raw_mode_leave.
bool raw_mode_in_dialogue();

// Handlers that restore the terminal before a signal ends or stops the
// program, and switch back to raw when it continues.
void signals_install();
void signals_remove();

// Forgets keys read ahead and any sequence in progress.
void key_reading_reset();

// The device's operations (see console/console_device.h).
int terminal_read_key(int *second);
int terminal_put_char(unsigned char byte);
int terminal_stdout_write(const char *text, int length);
