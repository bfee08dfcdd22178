// The command line: what the user asked for, or the status to end with at
// once (after --help, --version or a usage error, each already reported).
#pragma once

#include <string_view>
#include <vector>

// A question about terms, in the order given: a relation to decide
// (--decide) or a term to put in canonical form (--canonical).
struct Question {
    bool relation;
    std::string_view text;
};

// Every front end takes what it needs from here.
struct CommandLine {
    bool batch = false;              // keys from standard input, transcript to standard output
    const char *dot_path = nullptr;  // export files, when asked for
    const char *json_path = nullptr;
    // A presentation instead of the dialogue: the poset, what is defined,
    // the questions about terms (in the order given), and the build's limit
    // as given (its value is judged with the presentation's other values).
    const char *poset = nullptr;
    std::vector<const char *> defines;
    std::vector<Question> questions;
    const char *questions_path = nullptr;  // more questions, one a line ("-": standard input)
    bool explain = false;
    const char *limit = nullptr;
};

// Reads argv into line. Returns -1 when the session is to run; otherwise the
// exit status: 0 after the help or the version on standard output, 2 after a
// usage error on standard error (nothing on standard output then).
int parse_command_line(int argc, char **argv, CommandLine &line);
