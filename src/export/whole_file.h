// Files written whole or not at all. What a path leads to decides how:
// - "-", /dev/stdout, /dev/fd/N, /proc/self/fd/N: the program's own
//   descriptor, written in place where it stands (an appended file is
//   appended to);
// - a regular file, or nothing yet: a temporary file beside it (see
//   temporary_file.h), synced and renamed over it. Symbolic links on the way
//   are followed, so the file a link names is replaced (or created, for a
//   dangling link) and the link stays; a replaced file keeps its permission
//   bits, a new one gets 0666 less the umask;
// - anything else that can be opened (a terminal, a pipe, a device): written
//   in place, never replaced. A FIFO without a reader is refused at once
//   rather than waited for.
// Both operations return 0 or an error: an errno value, or WHOLE_FILE_NO_READER.
#pragma once

#include <string>

constexpr int WHOLE_FILE_NO_READER = -1;

// The text for an error of these operations ("no reader", or strerror's).
const char *whole_file_error_text(int error);

// Whether write_whole_file(path, ...) can succeed as things stand: path leads
// to no folder, an own descriptor is open for writing, a temporary file can
// be made beside a file and the file can then be replaced (a sticky folder
// lets only the file's owner replace it). A FIFO's reader may come later and
// is not asked for. Leaves nothing behind.
int check_whole_file(const char *path);

// Whether two paths lead to the same target, so that writing one would undo
// the other: the same file, terminal, pipe or device (device and inode, after
// following links; the program's own descriptors by what they hold), or the
// same name in the same folder where nothing is yet. A path that leads
// nowhere matches none; check_whole_file tells why.
bool same_target(const char *a, const char *b);

// Writes content to where path leads, as above. On failure no temporary file
// is left and a file at path is as it was.
int write_whole_file(const char *path, const std::string &content);
