// The questions of --questions FILE: one a line, answered as they come, so
// that memory stays flat however long the file and every answer is out
// before the program waits for more input.
#pragma once

#include "presentation/decide_relations.h"

// Opens FILE ("-": standard input, which stays open) at the start; reports
// "freelattice: cannot read FILE: REASON" and returns -1 when it cannot.
int open_questions(const char *path);

// Reads the questions from fd to its end: a line with '<', '>' or '=' is a
// relation, any other a term; blank lines and comments (a '#' not followed
// by a digit, first on the line) are skipped; LF or CR LF ends a line. A
// line that cannot be read is reported as "freelattice: FILE:LINE:
// character C: REASON" and skipped. Returns 0 when every relation holds, 1
// when one fails, 2 after any line or the file could not be read.
int answer_questions_file(int fd, const char *path, Answers &answers, AnswerOutput &output);
