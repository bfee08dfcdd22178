// What went wrong during the run, and the status it ends with. A failure is
// noted when it happens, in the run's one ExitStatus; the way out
// (ending/end_of_run.h) tells what was not told yet and makes the status 2
// when anything failed, so that a lost transcript or file never passes for
// success.
#pragma once

enum class Channel { STANDARD_OUTPUT, TERMINAL };

class ExitStatus {
public:
    // Notes a failed write to a channel (0 stands for EIO); the first cause
    // is kept and told at the end.
    void write_failed(Channel channel, int error);

    // Notes a failure already told on standard error (an export file).
    void failure_told() { failure_told_ = true; }

    // Notes that the terminal's own attributes could not be put back: told
    // at the end ("freelattice: cannot restore the terminal: <reason>").
    void restore_failed(int error);

    // Writes out what stdio still holds, tells each channel that failed on
    // standard error ("freelattice: cannot write standard output: <reason>",
    // "freelattice: cannot write the terminal: <reason>"), and returns
    // status, or 2 when anything failed.
    int final_status(int status);

private:
    int standard_output_error_ = 0;
    int terminal_error_ = 0;
    int restore_error_ = 0;
    bool failure_told_ = false;
};
