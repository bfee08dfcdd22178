// Entry point: the command line, then one session on the device it chose.
#include "cli/options.h"
#include "console/console.h"
#include "console/posix/terminal_device.h"
#include "export/result_export.h"
#include "workspace/main_sequence.h"

int main(int argc, char **argv) {
    CommandLine line;
    int status = parse_command_line(argc, argv, line);
    if (status >= 0) return status;
    // A file that cannot be written ends the run before the dialogue starts.
    if (!export_prepare(line.dot_path, line.json_path)) return 2;
    console_use_device(TERMINAL_DEVICE);
    status = run_main_sequence(export_result);
    console_close();
    return status;
}
