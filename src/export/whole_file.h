// Files written whole or not at all: a new file beside the target, renamed
// over it once complete. Both operations return 0 or the errno value of the
// step that failed.
#pragma once

#include <string>

// Whether write_whole_file(path, ...) can succeed as things stand: path is no
// folder and a new file can be made beside it (or, for a device or a pipe,
// it can be opened for writing). Leaves nothing behind.
int check_whole_file(const char *path);

// Writes content to path through a temporary file "<path>.XXXXXX" in the
// same folder, synced and then renamed over path; a symbolic link is followed
// and stays. A device or a pipe (such as /dev/stdout) is written in place,
// since a rename would replace the device itself. On failure no temporary
// file is left and a file at path is as it was.
int write_whole_file(const char *path, const std::string &content);
