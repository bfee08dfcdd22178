#include "presentation/presentation_run.h"

#include "devices/batch_device.h"
#include "console/console.h"
#include "export/result_export.h"
#include "presentation/chains.h"
#include "presentation/decide_relations.h"
#include "presentation/declaration.h"
#include "dialogue/main_sequence.h"
#include "lattice/lattice.h"

int run_presentation(const PresentationRequest &stated) {
    // Everything the command line states is checked before anything is
    // shown, so that an error leaves standard output empty.
    if (!enter_chains(stated.chains) || !declare(stated.defines)) return 2;
    ExportRequest request;
    request.dot_path = stated.dot_path;
    request.json_path = stated.json_path;
    if (!export_prepare(request)) return 2;

    // Decisions take the place of the build's text, and the build runs only
    // for the files.
    bool deciding = !stated.relations.empty();
    console_use_device(deciding ? SILENT_DEVICE : TRANSCRIPT_DEVICE);
    SequenceHooks hooks = {export_note_definitions, export_result, &request};
    define_presentation(DECLARED_ANSWERS, hooks);
    if (deciding) {
        int status = decide_relations(stated.relations, stated.explain, request.notes);
        if (status != 2 && (request.dot_path != nullptr || request.json_path != nullptr)) build_result(hooks);
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
