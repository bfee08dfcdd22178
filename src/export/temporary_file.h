// The temporary file of a whole-file write, one at a time: made beside the
// file it is to replace, and never left behind by a terminating signal (the
// owner of signals holds its name, signals/signals.h). While it is held, a
// file size limit is a write error like a full disk rather than the end of
// the program.
#pragma once

#include <sys/types.h>

#include <string>

// The temporary name for path (absolute, as the export resolves it):
// ".NAME.freelattice-XXXXXX" in path's folder, NAME cut so that the whole
// fits the 255-byte limit on a name.
std::string temporary_name_for(const std::string &path);

// Creates the temporary file for path with permission bits mode. Returns its
// descriptor, or -1 with errno (nothing is left then). No other temporary
// file may be held.
int temporary_file_create(const std::string &path, mode_t mode);

// Renames the temporary file over path: 0 or the errno of the rename. From
// then on (or after a failure, once removed) no signal touches it.
int temporary_file_commit(const std::string &path);

// Removes the temporary file, if one is held.
void temporary_file_discard();
