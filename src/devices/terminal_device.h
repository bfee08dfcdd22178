// The console on the controlling terminal, /dev/tty, whatever standard input
// and output are: raw keys through the key translator, console bytes as UTF-8
// code page 437 characters, the user's attributes restored on every way out.
#pragma once

#include "console/console_device.h"

extern const ConsoleDevice TERMINAL_DEVICE;
