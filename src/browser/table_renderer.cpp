#include "browser/table_renderer.h"

void show_table(int, int, int, int, int) {}
