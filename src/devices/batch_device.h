// A session without a terminal: keys come from standard input through the
// same key translator as on a terminal, and everything the session writes,
// console and standard output alike, goes to standard output in call order,
// as the UTF-8 text a terminal would be sent, in large blocks.
#pragma once

#include "console/console_device.h"

// Line feed, carriage return and CR LF each count as one Enter. The input has
// no timing: an ESC and the bytes after it form one sequence, and only the end
// of the input acts as the ESC wait running out. When the keys run out before
// q, the session ends with "freelattice: input ended before q" on standard
// error and status 2.
extern const ConsoleDevice BATCH_DEVICE;

// The same output without keys, for a session whose answers were given
// beforehand: reading a key gives -1, and standard input is never touched.
extern const ConsoleDevice TRANSCRIPT_DEVICE;

// A session that shows nothing: every byte is taken and dropped, and reading
// a key gives -1.
extern const ConsoleDevice SILENT_DEVICE;
