#include "devices/batch_device.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "console/cp437.h"
#include "ending/end_of_run.h"
#include "signals/pending_output.h"

namespace {

constexpr int STANDARD_INPUT = 0;
constexpr int STANDARD_OUTPUT = 1;
constexpr unsigned char CR = 13;
constexpr unsigned char LF = 10;

}  // namespace

void BatchDevice::start() {
    if (started_) return;
    started_ = true;
    key_reader_reset(reader_);
    pending_output_attach(STANDARD_OUTPUT);
}

// Everything goes to standard output here: a failed block is its failure.
void BatchDevice::flush_transcript() {
    if (!pending_output_flush()) exit_status_.write_failed(Channel::STANDARD_OUTPUT, pending_output_error());
}

void BatchDevice::end_session(const char *reason) { end_run_now(this, exit_status_, 2, reason); }

// Refills the input block; false at the end of the input.
bool BatchDevice::refill() {
    // Whatever the session wrote is out before it waits for more keys, so
    // that a program answering the prompts sees them.
    flush_transcript();
    for (;;) {
        ssize_t got = block_reader_refill(input_, STANDARD_INPUT);
        if (got > 0) return true;
        if (got == 0) return false;
        if (errno != EINTR) {
            char reason[200];
            (void)std::snprintf(reason, sizeof reason, "cannot read standard input: %s", std::strerror(errno));
            end_session(reason);
        }
    }
}

// The next byte as the translator is to see it; false once, at the end of
// the input, where a sequence still open is cut off as by the ESC wait.
bool BatchDevice::next_byte(void *device, unsigned char *byte) {
    auto &batch = *static_cast<BatchDevice *>(device);
    for (;;) {
        if (!block_reader_has_byte(batch.input_)) {
            if (batch.input_ended_) batch.end_session("input ended before q");
            if (!batch.refill()) {
                batch.input_ended_ = true;
                return false;
            }
        }
        unsigned char b = block_reader_take(batch.input_);
        bool lf_after_cr = b == LF && batch.after_cr_;
        batch.after_cr_ = b == CR;
        if (lf_after_cr) continue;
        *byte = b == LF ? CR : b;
        return true;
    }
}

int BatchDevice::read_key(int *second) {
    if (!keys_) {
        *second = -1;
        return -1;
    }
    start();
    return key_reader_next(reader_, next_byte, this, second);
}

// The console here is standard output, whose failure is reported when the
// session ends. Until then the dialogue goes on as if the text had gone out:
// a failed echo would lose keys, q among them, and end the session as if the
// input had run out.
int BatchDevice::put_char(unsigned char byte) {
    start();
    char text[CP437_UTF8_MAX];
    int length = cp437_to_utf8(byte, text);
    (void)pending_output_add(text, length);
    return byte;
}

int BatchDevice::stdout_write(const char *text, int length) {
    start();
    (void)pending_output_add(text, length);
    return length;
}

void BatchDevice::close() {
    flush_transcript();
    pending_output_reset();
    key_reader_reset(reader_);
    started_ = false;
    block_reader_reset(input_);
    input_ended_ = false;
    after_cr_ = false;
}
