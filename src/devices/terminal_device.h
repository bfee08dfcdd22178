// The console on the controlling terminal, /dev/tty, whatever standard input
// and output are: raw keys through the key translator, console bytes as UTF-8
// code page 437 characters, the user's attributes restored on every way out
// (signals/terminal_mode.h holds them for the signal handlers).
#pragma once

#include "console/console_device.h"
#include "console/key_reader.h"
#include "devices/block_reader.h"
#include "ending/exit_status.h"

class TerminalDevice : public ConsoleDevice {
public:
    // Failures are noted in exit_status, and a run that cannot go on ends
    // through it.
    explicit TerminalDevice(ExitStatus &exit_status) : exit_status_(exit_status) {}

    int read_key(int *second) override;
    int put_char(unsigned char byte) override;
    int stdout_write(const char *text, int length) override;
    void close() override;

private:
    enum OpeningState { NOT_OPENED, OPEN, UNAVAILABLE };
    struct Opening {
        OpeningState state;
        int fd;
        int open_errno;
    };

    static int open_device(Opening &opening, int flags);
    int input_fd(const char **cause);
    int output_fd();
    bool output_lost() const;
    void flush_for_the_end();
    void start_dialogue(int fd);
    bool wait_for_byte(unsigned char *byte);
    static bool next_byte(void *device, unsigned char *byte);
    [[noreturn]] void no_keyboard(const char *cause);
    [[noreturn]] void no_screen();

    ExitStatus &exit_status_;
    // /dev/tty, opened once for keys and once for console bytes; a failed
    // opening is final for the run.
    Opening input_ = {NOT_OPENED, -1, 0};
    Opening output_ = {NOT_OPENED, -1, 0};
    // Room for "cannot open /dev/tty: " and any system message.
    char input_failure_[160] = {};
    KeyReader reader_{};
    bool reader_ready_ = false;
    // Keys read ahead and not yet fed: a byte waiting here had arrived, so it
    // counts as the rest of a sequence exactly as a byte poll finds ready.
    BlockReader read_ahead_;
    // -1 until standard output has been looked at, then 0 or 1.
    int stdout_is_terminal_ = -1;
    // The keyboard or the screen is gone: so is the point of telling that
    // the attributes could not be put back.
    bool gone_ = false;
};
