#include "poset/order_closure.h"

void close_and_validate_poset() {}

int next_name_char(int c) { return c + 1; }
