#include "presentation/presentation_run.h"

#include "batch/batch_device.h"
#include "console/console.h"
#include "export/result_export.h"
#include "presentation/chains.h"
#include "presentation/decisions.h"
#include "presentation/declaration.h"
#include "presentation/questions_file.h"
#include "terms/element_terms.h"
#include "sequence/main_sequence.h"
#include "workspace/workspace.h"

int run_presentation(const PresentationRequest &stated) {
    // Everything the command line states is checked before anything is
    // shown, so that an error leaves standard output empty.
    if (!enter_chains(stated.chains) || !declare(stated.defines)) return 2;
    ExportRequest request;
    request.dot_path = stated.dot_path;
    request.json_path = stated.json_path;
    if (!export_prepare(request)) return 2;
    int questions_fd = -1;
    if (stated.questions_path != nullptr && (questions_fd = open_questions(stated.questions_path)) < 0) return 2;

    // Answers take the place of the build's text. The build runs, silently,
    // for the elements a term may name or a canonical form may be, and for
    // the files, which are written after the answers they list.
    bool asking = !stated.questions.empty() || questions_fd >= 0;
    console_use_device(asking ? SILENT_DEVICE : TRANSCRIPT_DEVICE);
    SequenceHooks hooks = {export_note_definitions, export_result, &request};
    define_presentation(DECLARED_ANSWERS, hooks);
    if (asking) {
        bool exporting = request.dot_path != nullptr || request.json_path != nullptr;
        bool with_elements = exporting || questions_fd >= 0 || questions_need_elements(stated.questions);
        if (with_elements) build_result(SequenceHooks{nullptr, nullptr, nullptr});
        Answers answers(stated.explain, with_elements, exporting, request.notes);
        AnswerOutput output;
        int status = answer_questions(stated.questions, answers, output);
        bool options_read = status != 2;
        if (options_read && questions_fd >= 0) {
            int from_file = answer_questions_file(questions_fd, stated.questions_path, answers, output);
            status = from_file > status ? from_file : status;
        }
        (void)output.flush();
        // A line of the file that could not be read leaves the other
        // answers standing, and the files list them.
        if (options_read && exporting) export_result(&request);
        console_close();
        return status;
    }
    build_result(hooks);
    if (closure_complete == 0) {
        stdout_print("Stopped at the limit: only the first %d elements are listed; FL(P) has more.\n",
                     element_limit + 1);
    }
    stdout_print("%s\n", finiteness_of_result().text.c_str());
    console_close();
    return 0;
}
