// Entry point. Arguments are ignored: the whole dialogue is on the keyboard.
#include "console/console.h"
#include "workspace/main_sequence.h"

int main() {
    int status = run_main_sequence();
    console_close();
    return status;
}
