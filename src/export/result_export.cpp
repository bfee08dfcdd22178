#include "export/result_export.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "console/posix/standard_output.h"
#include "ending/exit_status.h"
#include "export/dot_writer.h"
#include "export/json_writer.h"
#include "export/whole_file.h"
#include "workspace/workspace.h"

namespace {

const char *dot_file = nullptr;
const char *json_file = nullptr;

void report(const char *path, int error) {
    (void)std::fprintf(stderr, "freelattice: cannot write %s: %s\n", path, whole_file_error_text(error));
}

bool check(const char *path) {
    if (path == nullptr) return true;
    int error = check_whole_file(path);
    if (error != 0) report(path, error);
    return error == 0;
}

void write(const char *path, std::string (*text)(int)) {
    if (path == nullptr) return;
    // Whatever the session has shown so far goes out first: the file may
    // share its channel (standard output, the terminal), and a message
    // follows what was shown before it.
    standard_output_flush_pending();
    int error = write_whole_file(path, text(shown_count));
    if (error == 0) return;
    report(path, error);
    exit_status_failure_told();
}

}  // namespace

bool export_prepare(const char *dot_path, const char *json_path) {
    dot_file = dot_path;
    json_file = json_path;
    bool dot_ok = check(dot_path);
    bool json_ok = check(json_path);
    return dot_ok && json_ok;
}

void export_result() {
    write(dot_file, dot_text);
    write(json_file, json_text);
}
