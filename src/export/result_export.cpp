#include "export/result_export.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "ending/shown_text.h"
#include "ending/standard_output.h"
#include "export/dot_writer.h"
#include "export/json_writer.h"
#include "export/whole_file.h"

namespace {

void report(const char *path, int error) {
    (void)std::fprintf(stderr, "freelattice: cannot write %s: %s\n", shown_text(path).c_str(),
                       whole_file_error_text(error));
}

bool check(const char *path) {
    if (path == nullptr) return true;
    int error = check_whole_file(path);
    if (error != 0) report(path, error);
    return error == 0;
}

void write_file(ExitStatus &exit_status, const char *path, const std::string &text) {
    // Whatever the session has shown so far goes out first: the file may
    // share its channel (standard output, the terminal), and a message
    // follows what was shown before it.
    standard_output_flush_pending(exit_status);
    int error = write_whole_file(path, text);
    if (error == 0) return;
    report(path, error);
    exit_status.failure_told();
}

}  // namespace

bool export_prepare(const ExportRequest &request) {
    bool dot_ok = check(request.dot_path);
    bool json_ok = check(request.json_path);
    return dot_ok && json_ok;
}

void export_note_definitions(void *request, const Lattice &lattice) {
    note_definitions(lattice, static_cast<ExportRequest *>(request)->notes);
}

void export_result(void *request, const Lattice &lattice, int shown) {
    const ExportRequest &asked = *static_cast<const ExportRequest *>(request);
    if (asked.dot_path != nullptr) write_file(*asked.exit_status, asked.dot_path, dot_text(lattice, shown));
    if (asked.json_path != nullptr) {
        write_file(*asked.exit_status, asked.json_path, json_text(lattice, shown, asked.notes));
    }
}
