#include "presentation/presentation_run.h"

#include <cstdio>

#include "console/console.h"
#include "devices/batch_device.h"
#include "dialogue/build_lines.h"
#include "dialogue/main_sequence.h"
#include "export/result_export.h"
#include "free_lattice/generation.h"
#include "poset/defined_operations.h"
#include "presentation/argument_errors.h"
#include "presentation/chains.h"
#include "presentation/decide_relations.h"
#include "presentation/declaration.h"
#include "presentation/questions_file.h"
#include "terms/element_terms.h"

static_assert(LIMIT_MAX + 2 == ELEMENTS_MAX, "the limit's elements and a trial past them are all a lattice holds");

namespace {

// --limit N: digits only, from 1 to LIMIT_MAX.
bool read_limit(const char *text, int &limit) {
    long value = 0;
    const char *at = text;
    for (; *at >= '0' && *at <= '9'; ++at) {
        value = value * 10 + (*at - '0');
        if (value > LIMIT_MAX) {
            argument_error("--limit", text, "the largest limit this program can hold is %d", LIMIT_MAX);
            return false;
        }
    }
    // Nothing at all, or anything but digits, leaves a value of 0 or stops
    // short of the end.
    if (*at != '\0' || value == 0) {
        argument_error("--limit", text, "not a whole number from 1 to %d", LIMIT_MAX);
        return false;
    }
    limit = static_cast<int>(value);
    return true;
}

// A build cut short by memory: what was built stands, and nothing is
// written to the files.
int no_memory(const Lattice &lattice, ExitStatus &exit_status) {
    (void)std::fprintf(stderr, "freelattice: no memory for more than %d elements\n", lattice.elements());
    exit_status.failure_told();
    return 2;
}

}  // namespace

int run_presentation(const CommandLine &line, ExitStatus &exit_status) {
    // Everything the command line states is checked before anything is
    // shown, so that an error leaves standard output empty.
    int limit = DIALOGUE_LIMIT;
    if (line.limit != nullptr && !read_limit(line.limit, limit)) return 2;
    Lattice lattice;
    Declaration declaration;
    if (!enter_chains(line.poset, lattice) || !declaration.read(lattice, line.defines)) return 2;
    ExportRequest request;
    request.exit_status = &exit_status;
    request.dot_path = line.dot_path;
    request.json_path = line.json_path;
    if (!export_prepare(request)) return 2;
    int questions_fd = -1;
    if (line.questions_path != nullptr && (questions_fd = open_questions(line.questions_path)) < 0) return 2;
    bool files = request.dot_path != nullptr || request.json_path != nullptr;

    if (!line.questions.empty() || questions_fd >= 0) {
        // Answers take the place of the build's text. The build runs,
        // quietly, for the elements a term may name or a canonical form may
        // be, and for the files, which are written after the answers they
        // list.
        define_partial_lattice(lattice, declaration);
        export_note_definitions(&request, lattice);
        bool with_elements = files || questions_fd >= 0 || questions_need_elements(line.questions);
        if (with_elements && build_free_lattice(lattice, limit, nullptr, true) == BuildEnd::NO_MEMORY)
            return no_memory(lattice, exit_status);
        Answers answers(lattice, line.explain, with_elements, files, request.notes);
        AnswerOutput output(exit_status);
        int status = answer_questions(line.questions, answers, output);
        bool options_read = status != 2;
        if (options_read && questions_fd >= 0) {
            int from_file = answer_questions_file(questions_fd, line.questions_path, answers, output);
            status = from_file > status ? from_file : status;
        }
        (void)output.flush();
        // A line of the file that could not be read leaves the other
        // answers standing, and the files list them.
        if (options_read && files) export_result(&request, lattice, lattice.elements());
        return status;
    }

    BatchDevice transcript(exit_status, false);
    Console console(transcript);
    define_presentation(console, lattice, declaration, SequenceHooks{export_note_definitions, nullptr, &request});
    BuildLines lines(console);
    BuildEnd end = build_free_lattice(lattice, limit, &lines, true);
    if (end == BuildEnd::NO_MEMORY) {
        console.close();
        return no_memory(lattice, exit_status);
    }
    if (end == BuildEnd::LIMIT) {
        console.stdout_print("Stopped at the limit: only the first %d elements are listed; FL(P) has more.\n",
                             lattice.elements());
    }
    console.stdout_print("%s\n", finiteness_of_result(lattice).text.c_str());
    // Everything shown comes before the files, which may share its channel.
    export_result(&request, lattice, lattice.elements());
    console.close();
    return 0;
}
