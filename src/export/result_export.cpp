#include "export/result_export.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "ending/standard_output.h"
#include "ending/exit_status.h"
#include "export/dot_writer.h"
#include "export/json_writer.h"
#include "export/whole_file.h"
#include "lattice/lattice.h"

namespace {

void report(const char *path, int error) {
    (void)std::fprintf(stderr, "freelattice: cannot write %s: %s\n", path, whole_file_error_text(error));
}

bool check(const char *path) {
    if (path == nullptr) return true;
    int error = check_whole_file(path);
    if (error != 0) report(path, error);
    return error == 0;
}

void write_file(const char *path, const std::string &text) {
    // Whatever the session has shown so far goes out first: the file may
    // share its channel (standard output, the terminal), and a message
    // follows what was shown before it.
    standard_output_flush_pending();
    int error = write_whole_file(path, text);
    if (error == 0) return;
    report(path, error);
    exit_status_failure_told();
}

}  // namespace

bool export_prepare(const ExportRequest &request) {
    bool dot_ok = check(request.dot_path);
    bool json_ok = check(request.json_path);
    return dot_ok && json_ok;
}

void export_note_definitions(void *request) { note_definitions(static_cast<ExportRequest *>(request)->notes); }

void export_result(void *request) {
    const ExportRequest &asked = *static_cast<const ExportRequest *>(request);
    if (asked.dot_path != nullptr) write_file(asked.dot_path, dot_text(shown_count));
    if (asked.json_path != nullptr) write_file(asked.json_path, json_text(shown_count, asked.notes));
}
