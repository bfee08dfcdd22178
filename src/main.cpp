// Entry point: the command line, then one session on the front end it chose.
// Whatever the way out, end_of_run decides the status.
#include <fcntl.h>
#include <unistd.h>

#include "cli/options.h"
#include "console/console.h"
#include "devices/batch_device.h"
#include "devices/terminal_device.h"
#include "dialogue/main_sequence.h"
#include "ending/end_of_run.h"
#include "export/result_export.h"
#include "presentation/presentation_run.h"
#include "signals/signals.h"

namespace {

// A standard descriptor closed by the caller (">&-") is held by /dev/null
// opened the wrong way round: writing or reading it still fails as on a
// closed descriptor, but the terminal, opened later, cannot land on it and
// take standard output's text for its own. open takes the lowest free
// descriptor, which is this one: the lower ones are open by now.
void hold_closed_standard_descriptors() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) == -1) (void)open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
    }
}

// The dialogue at the keyboard, on the terminal or from standard input.
int run_dialogue(const CommandLine &line, ConsoleDevice &device, ExitStatus &exit_status) {
    ExportRequest request;
    request.exit_status = &exit_status;
    request.dot_path = line.dot_path;
    request.json_path = line.json_path;
    // A file that cannot be written ends the run before the dialogue starts.
    if (!export_prepare(request)) return end_of_run(nullptr, exit_status, 2);
    Console console(device);
    Lattice lattice;
    int status = run_main_sequence(console, lattice, SequenceHooks{export_note_definitions, export_result, &request});
    return end_of_run(&device, exit_status, status);
}

}  // namespace

int main(int argc, char **argv) {
    hold_closed_standard_descriptors();
    ExitStatus exit_status;
    CommandLine line;
    int status = parse_command_line(argc, argv, line);
    if (status >= 0) return end_of_run(nullptr, exit_status, status);
    // Before anything a handler cleans up exists.
    signals_install();
    if (line.poset != nullptr) return end_of_run(nullptr, exit_status, run_presentation(line, exit_status));
    if (line.batch) {
        BatchDevice batch(exit_status, true);
        return run_dialogue(line, batch, exit_status);
    }
    // The terminal is held: a pipe on standard output must not end the run.
    signals_keep_going_on_broken_pipe();
    TerminalDevice terminal(exit_status);
    return run_dialogue(line, terminal, exit_status);
}
