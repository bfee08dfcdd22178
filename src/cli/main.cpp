// Entry point: the command line, then one session on the device it chose.
#include "batch/batch_device.h"
#include "cli/options.h"
#include "console/console.h"
#include "console/posix/terminal_device.h"
#include "workspace/main_sequence.h"

int main(int argc, char **argv) {
    CommandLine line;
    int status = parse_command_line(argc, argv, line);
    if (status >= 0) return status;
    console_use_device(line.batch ? BATCH_DEVICE : TERMINAL_DEVICE);
    status = run_main_sequence();
    console_close();
    return status;
}
