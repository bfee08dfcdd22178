// The presentation front end run as a library: a build that runs out of
// memory past the limit stops with a message and status 2, and writes no
// file. In a child under an address-space limit; not under a sanitizer,
// whose shadow memory no such limit leaves room for.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>

#include "presentation/presentation_run.h"

#if defined(__SANITIZE_ADDRESS__)
#define FREELATTICE_UNDER_A_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer)
#define FREELATTICE_UNDER_A_SANITIZER 1
#endif
#endif

namespace {

struct ChildRun {
    int status = -1;
    std::string standard_error;
};

// Runs line in a child whose address space may grow by megabytes MB: the
// tables of a few thousand elements, never those of 60,000.
ChildRun run_short_of_memory(const CommandLine &line, long megabytes) {
    int errors[2];
    ChildRun run;
    if (pipe(errors) != 0) return run;
    pid_t child = fork();
    if (child == 0) {
        (void)dup2(errors[1], 2);
        int sink = open("/dev/null", O_WRONLY);
        (void)dup2(sink, 1);
        rlimit now{};
        getrlimit(RLIMIT_AS, &now);
        long pages = 0;
        if (std::FILE *statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
            std::fclose(statm);
        }
        rlimit limited = {static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (megabytes << 20),
                          now.rlim_max};
        setrlimit(RLIMIT_AS, &limited);
        ExitStatus exit_status;
        int status = run_presentation(line, exit_status);
        std::exit(exit_status.final_status(status));
    }
    close(errors[1]);
    char chunk[512];
    for (ssize_t got; (got = read(errors[0], chunk, sizeof chunk)) > 0;) run.standard_error.append(chunk, static_cast<std::size_t>(got));
    close(errors[0]);
    int status = 0;
    if (waitpid(child, &status, 0) == child && WIFEXITED(status)) run.status = WEXITSTATUS(status);
    return run;
}

TEST(PresentationRun, ABuildThatRunsOutOfMemoryStopsWithStatus2AndNoFile) {
#ifdef FREELATTICE_UNDER_A_SANITIZER
    GTEST_SKIP() << "an address-space limit leaves a sanitizer no room";
#endif
    char folder[] = "/tmp/freelattice-memory-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string json = std::string(folder) + "/lattice.json";
    // Memory runs out at a different table of the lattice or the build in
    // each; the last one decides a relation first.
    const long headrooms[] = {40, 60, 80, 100, 150, 200, 200};
    for (std::size_t k = 0; k < std::size(headrooms); ++k) {
        const long megabytes = headrooms[k];
        const bool deciding = k + 1 == std::size(headrooms);
        SCOPED_TRACE(std::to_string(megabytes) + " MB" + (deciding ? ", deciding" : ""));
        CommandLine line;
        line.poset = "a b c";
        line.limit = "60000";
        line.json_path = json.c_str();
        if (deciding) line.questions.push_back({true, "a<=a+b"});
        ChildRun run = run_short_of_memory(line, megabytes);
        EXPECT_EQ(run.status, 2);
        const std::string prefix = "freelattice: no memory for more than ";
        ASSERT_EQ(run.standard_error.rfind(prefix, 0), 0u) << run.standard_error;
        int elements = std::atoi(run.standard_error.c_str() + prefix.size());
        EXPECT_GT(elements, 100);
        EXPECT_EQ(run.standard_error.substr(prefix.size() + std::to_string(elements).size()), " elements\n");
        EXPECT_NE(access(json.c_str(), F_OK), 0) << "a file was written";
    }
    (void)std::system(("rm -rf '" + std::string(folder) + "'").c_str());
}

}  // namespace
