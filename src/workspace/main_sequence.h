// One run of the program: the phases in order, on the global workspace.
#pragma once

// Runs every phase and returns the exit status, the action loop's result.
int run_main_sequence();
