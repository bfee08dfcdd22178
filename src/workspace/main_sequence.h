// One run of the program: the phases in order, on the global workspace.
#pragma once

// Runs every phase and returns the exit status, the action loop's result.
// after_build, when given, runs once the build has ended and the number of
// elements shown is set, before the first action prompt.
int run_main_sequence(void (*after_build)() = nullptr);
