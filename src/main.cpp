// Entry point: the command line, then one session on the device it chose.
// Whatever the way out, exit_status_final decides the status.
#include <fcntl.h>
#include <unistd.h>


#include "devices/batch_device.h"
#include "cli/options.h"
#include "console/console.h"
#include "ending/exit_status.h"
#include "devices/terminal_device.h"
#include "export/result_export.h"
#include "presentation/presentation_run.h"
#include "dialogue/main_sequence.h"

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

}  // namespace

int main(int argc, char **argv) {
    hold_closed_standard_descriptors();
    CommandLine line;
    int status = parse_command_line(argc, argv, line);
    if (status >= 0) return exit_status_final(status);
    if (line.poset != nullptr) {
        PresentationRequest stated{line.poset, line.defines, line.relations, line.explain, line.dot_path,
                                   line.json_path};
        return exit_status_final(run_presentation(stated));
    }
    ExportRequest request;
    request.dot_path = line.dot_path;
    request.json_path = line.json_path;
    // A file that cannot be written ends the run before the dialogue starts.
    if (!export_prepare(request)) return exit_status_final(2);
    console_use_device(line.batch ? BATCH_DEVICE : TERMINAL_DEVICE);
    status = run_main_sequence(SequenceHooks{export_note_definitions, export_result, &request});
    console_close();
    return exit_status_final(status);
}
