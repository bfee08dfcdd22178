#include "devices/batch_device.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "console/cp437.h"
#include "console/key_reader.h"
#include "signals/pending_output.h"
#include "ending/standard_output.h"
#include "ending/exit_status.h"

namespace {

constexpr int STANDARD_INPUT = 0;
constexpr int STANDARD_OUTPUT = 1;
constexpr unsigned char CR = 13;
constexpr unsigned char LF = 10;

KeyReader reader;
bool started = false;

// Standard input is read in blocks; the bytes not yet fed wait here.
unsigned char input[4096];
int input_length = 0;
int input_next = 0;
bool input_ended = false;
bool after_cr = false;

void start() {
    if (started) return;
    started = true;
    key_reader_reset(reader);
    output_buffer_attach(STANDARD_OUTPUT);
}

// Everything goes to standard output here: a failed block is its failure.
void flush_transcript() {
    if (!output_buffer_flush()) standard_output_failed(output_buffer_error());
}

[[noreturn]] void end_session(const char *what, const char *cause) {
    flush_transcript();
    int status = exit_status_final(2);
    if (cause == nullptr) {
        (void)std::fprintf(stderr, "freelattice: %s\n", what);
    } else {
        (void)std::fprintf(stderr, "freelattice: %s: %s\n", what, cause);
    }
    std::exit(status);
}

// Refills the input block; false at the end of the input.
bool refill() {
    // Whatever the session wrote is out before it waits for more keys, so
    // that a program answering the prompts sees them.
    flush_transcript();
    for (;;) {
        ssize_t got = read(STANDARD_INPUT, input, sizeof input);
        if (got > 0) {
            input_length = static_cast<int>(got);
            input_next = 0;
            return true;
        }
        if (got == 0) return false;
        if (errno != EINTR) end_session("cannot read standard input", std::strerror(errno));
    }
}

// The next byte as the translator is to see it; false once, at the end of
// the input, where a sequence still open is cut off as by the ESC wait.
bool next_byte(unsigned char *byte) {
    for (;;) {
        if (input_next == input_length) {
            if (input_ended) end_session("input ended before q", nullptr);
            if (!refill()) {
                input_ended = true;
                return false;
            }
        }
        unsigned char b = input[input_next++];
        bool lf_after_cr = b == LF && after_cr;
        after_cr = b == CR;
        if (lf_after_cr) continue;
        *byte = b == LF ? CR : b;
        return true;
    }
}

int batch_read_key(int *second) {
    start();
    return key_reader_next(reader, next_byte, second);
}

// The console here is standard output, whose failure is reported when the
// session ends. Until then the dialogue goes on as if the text had gone out:
// a failed echo would lose keys, q among them, and end the session as if the
// input had run out.
int batch_put_char(unsigned char byte) {
    start();
    char text[CP437_UTF8_MAX];
    int length = cp437_to_utf8(byte, text);
    (void)output_buffer_add(text, length);
    return byte;
}

int batch_stdout_write(const char *text, int length) {
    start();
    (void)output_buffer_add(text, length);
    return length;
}

void batch_close() {
    flush_transcript();
    output_buffer_reset();
    key_reader_reset(reader);
    started = false;
    input_length = 0;
    input_next = 0;
    input_ended = false;
    after_cr = false;
}

int no_key(int *second) {
    *second = -1;
    return -1;
}

int drop_char(unsigned char byte) { return byte; }

int drop_text(const char * /*text*/, int length) { return length; }

void close_nothing() {}

}  // namespace

const ConsoleDevice BATCH_DEVICE = {batch_read_key, batch_put_char, batch_stdout_write, batch_close};
const ConsoleDevice TRANSCRIPT_DEVICE = {no_key, batch_put_char, batch_stdout_write, batch_close};
const ConsoleDevice SILENT_DEVICE = {no_key, drop_char, drop_text, close_nothing};
