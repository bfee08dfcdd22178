#include "browser/action_loop.h"

int action_loop() { return 1; }

void show_help() {}

int read_nav_key() { return -1; }
