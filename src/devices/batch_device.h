// A session without a terminal: keys come from standard input through the
// same key translator as on a terminal, and everything the session writes,
// console and standard output alike, goes to standard output in call order,
// as the UTF-8 text a terminal would be sent, in large blocks.
#pragma once

#include "console/console_device.h"
#include "console/key_reader.h"
#include "devices/block_reader.h"
#include "ending/exit_status.h"

class BatchDevice : public ConsoleDevice {
public:
    // With keys: line feed, carriage return and CR LF each count as one
    // Enter. The input has no timing: an ESC and the bytes after it form one
    // sequence, and only the end of the input acts as the ESC wait running
    // out. When the keys run out before q, the session ends with
    // "freelattice: input ended before q" on standard error and status 2.
    // Without keys (a session whose answers were given beforehand), reading
    // a key gives -1 and standard input is never touched. Failures are noted
    // in exit_status.
    BatchDevice(ExitStatus &exit_status, bool keys) : exit_status_(exit_status), keys_(keys) {}

    int read_key(int *second) override;
    int put_char(unsigned char byte) override;
    int stdout_write(const char *text, int length) override;
    void close() override;

private:
    void start();
    void flush_transcript();
    [[noreturn]] void end_session(const char *reason);
    bool refill();
    static bool next_byte(void *device, unsigned char *byte);

    ExitStatus &exit_status_;
    bool keys_;
    bool started_ = false;
    KeyReader reader_{};
    // Standard input is read in blocks; the bytes not yet fed wait here.
    BlockReader input_;
    bool input_ended_ = false;
    bool after_cr_ = false;
};
