// A console device for fuzzing the whole program: keys come from the fuzz
// input, output is counted and dropped. When the input is used up, the key
// set for the current phase keeps the run going to its end (Enter during
// poset entry, n at questions, q in the browser), so every input runs from
// banner to q.
#pragma once

#include <cstddef>
#include <cstdint>

#include "console/console.h"

namespace fuzz_console {

// Starts a run on these input bytes; forgets everything of the last run.
void start(const std::uint8_t *data, std::size_t size);

// The console of the run, on the device fed from its input.
Console &console();

// The key fed once the input is used up; -1 when the phase reads no key
// (a read then is a fault).
void set_fallback_key(int code);

// Called before each key is handed out, while the program waits for it.
void set_key_observer(void (*observer)());

// Times the banner was printed in this run.
int banners_printed();

// Console bytes written in this run.
long console_bytes();

// Answers to meet and join questions shown in this run ("  YES, defined" or
// "  NO, undefined"): one per question. Counting keys would not do, since
// the second code of a two-code key answers a question without a read.
long answers_shown();

// Times the law tests were offered in this run.
int law_offers_shown();

}  // namespace fuzz_console
