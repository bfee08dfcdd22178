#include "presentation/presentation_run.h"

#include "batch/batch_device.h"
#include "console/console.h"
#include "export/result_export.h"
#include "presentation/chains.h"
#include "presentation/decisions.h"
#include "presentation/declaration.h"
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

    // Answers take the place of the build's text. The build runs, silently,
    // for the elements a term may name or a canonical form may be, and for
    // the files, which are written after the answers they list.
    bool asking = !stated.questions.empty();
    console_use_device(asking ? SILENT_DEVICE : TRANSCRIPT_DEVICE);
    SequenceHooks hooks = {export_note_definitions, export_result, &request};
    define_presentation(DECLARED_ANSWERS, hooks);
    if (asking) {
        bool exporting = request.dot_path != nullptr || request.json_path != nullptr;
        bool with_elements = exporting || questions_need_elements(stated.questions);
        if (with_elements) build_result(SequenceHooks{nullptr, nullptr, nullptr});
        int status = answer_questions(stated.questions, stated.explain, with_elements, request.notes);
        if (status != 2 && exporting) export_result(&request);
        console_close();
        return status;
    }
    build_result(hooks);
    if (closure_complete == 0) {
        stdout_print("Stopped at the limit: only the first %d elements are listed; FL(P) has more.\n",
                     element_limit + 1);
    }
    console_close();
    return 0;
}
