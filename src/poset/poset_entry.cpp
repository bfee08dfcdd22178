#include "poset/poset_entry.h"

void reset_and_show_banner() {}

void read_poset() {}
