// A presentation stated on the command line against the dialogue answered
// accordingly: the same build lines and the same JSON, byte for byte, over
// posets with and without questions, a lattice, and a build at the limit.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>
#include <poll.h>

#include "data_files.h"
#include "pty_driver.h"
#include "random_partial_lattice.h"
#include "scripted_console.h"
#include "term_oracle.h"

namespace {

struct PresentationCase {
    const char *name;
    std::vector<std::string> args;  // after --poset CHAINS
    const char *chains;
    std::string keys;  // the batch session that types chains and answers the same, then q
    const char *finiteness;  // the line after the build
};

const std::vector<PresentationCase> PRESENTATIONS = {
    // The law test, then b.1, b.2, b+1, b+2 in the dialogue's order.
    {"PentagonTwoDefined", {"--define", "b+2=c, b.1"}, "a<b<c a<1<2<c", "abc a12c\n\nyynnyq", "FL(P) is finite."},
    {"PentagonNothingDefined", {}, "abc a12c", "abc a12c\n\nynnnnq", "FL(P) is finite."},
    {"OnePlusThree", {}, "a bcd", "a bcd\n\nq", "FL(P) is finite."},
    {"TwoPlusTwoAtTheLimit", {}, "a<b c<d", "ab cd\n\nq", "FL(P) is infinite: P contains 2+2 (a<b, c<d)."},
    // A lattice with everything declared: b.c and b+c, and FL(P) is P.
    {"SquareAll", {"-D", "all"}, "abd acd", "abd acd\n\nyyyq", "FL(P) is finite."},
    {"SquareJoinOnly", {"-D", "b+c=d"}, "abd acd", "abd acd\n\nynyq", "FL(P) is finite."},
};

void PrintTo(const PresentationCase &presentation, std::ostream *out) { *out << presentation.name; }

std::string between(const std::string &text, const std::string &from, const std::string &to) {
    std::size_t start = text.find(from);
    if (start == std::string::npos) return "";
    start += from.size();
    std::size_t end = text.find(to, start);
    return end == std::string::npos ? "" : text.substr(start, end - start);
}

class Presentation : public testing::TestWithParam<PresentationCase> {
protected:
    void SetUp() override {
        char name[] = "/tmp/freelattice-presentation-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        folder_ = name;
    }
    void TearDown() override { (void)std::system(("rm -rf '" + folder_ + "'").c_str()); }
    std::string folder_;
};

TEST_P(Presentation, PrintsAndExportsWhatTheDialogueAnsweredAccordinglyDoes) {
    const PresentationCase &presentation = GetParam();
    const std::string batch_json = folder_ + "/batch.json";
    const std::string poset_json = folder_ + "/poset.json";
    pty::DetachedRun batch = pty::run_without_terminal(pty::freelattice_path(), {"--batch", "--json", batch_json},
                                                       pty::HANG_GUARD_MS, presentation.keys);
    ASSERT_EQ(batch.ending.status, 1) << batch.standard_error;

    std::vector<std::string> args = {"--poset", presentation.chains, "--json", poset_json};
    args.insert(args.end(), presentation.args.begin(), presentation.args.end());
    // Keys on standard input change nothing: none is read.
    pty::DetachedRun poset = pty::run_without_terminal(pty::freelattice_path(), args, pty::HANG_GUARD_MS, "q\n");
    ASSERT_TRUE(poset.ending.exited);
    EXPECT_EQ(poset.ending.status, 0);
    EXPECT_EQ(poset.standard_error, "");

    // The verdict as the dialogue prints it after y, then the build.
    const std::string &transcript = batch.standard_output;
    std::string verdict = between(transcript, "modular or distributive?\n", "\n");
    if (!verdict.empty()) verdict += "\n";
    if (verdict == "The lattice is modular.\n") verdict += "The lattice is distributive.\n";
    std::string build = between(transcript, "WE HAVE DEFINED A PARTIAL LATTICE\n", "\nPress an action key");
    ASSERT_NE(build, "");
    std::string limit;
    if (build.find("The number of elements is") == std::string::npos) {
        limit = "Stopped at the limit: only the first 101 elements are listed; FL(P) has more.\n";
    }
    EXPECT_EQ(poset.standard_output, verdict + build + limit + presentation.finiteness + "\n");

    const std::string json = data_files::contents(poset_json);
    EXPECT_NE(json, "");
    if (limit.empty()) {
        EXPECT_EQ(json, data_files::contents(batch_json));
        return;
    }
    // At the limit the dialogue's file holds the 100 elements it shows, the
    // presentation's every element it listed: one more, which the other's
    // tables leave null.
    nlohmann::json listed = nlohmann::json::parse(json);
    nlohmann::json shown = nlohmann::json::parse(data_files::contents(batch_json));
    ASSERT_EQ(listed["elements"].size(), 101u);
    ASSERT_EQ(shown["elements"].size(), 100u);
    for (int r = 0; r < 100; ++r) {
        EXPECT_EQ(listed["elements"][r], shown["elements"][r]) << r;
        for (int c = 0; c < 100; ++c) {
            EXPECT_EQ(listed["leq"][r][c], shown["leq"][r][c]) << r << "," << c;
            for (const char *table : {"joins", "meets"}) {
                const nlohmann::json &entry = listed[table][r][c];
                EXPECT_EQ(entry == 100 ? nlohmann::json(nullptr) : entry, shown[table][r][c]) << table << r << "," << c;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(CommandLine, Presentation, testing::ValuesIn(PRESENTATIONS),
                         [](const testing::TestParamInfo<PresentationCase> &param) {
                             return std::string(param.param.name);
                         });

// --decide prints one line per relation, in order, instead of the build,
// and the status says whether all hold: the textbook cases in FL(3), a
// declared meet that makes a relation hold, and terms as the program prints
// them, read back.
struct DecideCase {
    const char *name;
    std::vector<std::string> args;
    int status;
    std::string standard_output;
};

const std::vector<DecideCase> DECISIONS = {
    {"DistributivityOneWayOnly",
     {"-p", "a b c", "-e", "a(b+c)<=ab+ac", "--decide=a(b+c) >= ab+ac"},
     1,
     "a(b+c)<=ab+ac: false\na(b+c) >= ab+ac: true\n"},
    {"MedianIsNotTheJoinOfMeets",
     {"-p", "a b c", "-e", "ab+ac+bc <= (a+b)(a+c)(b+c)", "-e", "(a+b)(a+c)(b+c)=ab+ac+bc"},
     1,
     "ab+ac+bc <= (a+b)(a+c)(b+c): true\n(a+b)(a+c)(b+c)=ab+ac+bc: false\n"},
    {"AllHold", {"-p", "a b c", "-e", "a.b+a=a", "-e", "a<=a+bc"}, 0, "a.b+a=a: true\na<=a+bc: true\n"},
    {"DeclaredMeetHolds", {"-p", "abc a12c", "-D", "b.1", "-e", "b1<=a"}, 0, "b1<=a: true\n"},
    {"UndeclaredMeetFails", {"-p", "abc a12c", "-e", "b1<=a"}, 1, "b1<=a: false\n"},
    {"PrintedTermsReadBack", {"-p", "abc a12c", "-e", "1+(b2)=2(1+b2)", "-e", "2(b+1)<=1+(b2)"}, 1,
     "1+(b2)=2(1+b2): true\n2(b+1)<=1+(b2): false\n"},
    // Canonical forms among the decisions, in the order given, with the
    // element of the build each one is, when it lists it; #N names one.
    {"CanonicalFormsAmongDecisions",
     {"-p", "a b c", "-c", "a+ab", "-e", "a<=#4", "-c", "(a+b)(a+c)(a+b+c)", "--canonical=a(b+c)+ab"},
     0,
     "a+ab = a  (element 1)\na<=#4: true\n(a+b)(a+c)(a+b+c) = (a+b)(a+c)\na(b+c)+ab = a(b+c)  (element 10)\n"},
    {"CanonicalFoldsADefinedJoin", {"-p", "apb cpd", "-D", "a+c=p", "-c", "(a+c)(b+d)", "-c", "d(c+b)"}, 0,
     "(a+c)(b+d) = p  (element 2)\nd(c+b) = bd  (element 8)\n"},
};

void PrintTo(const DecideCase &decide, std::ostream *out) { *out << decide.name; }

class Decide : public testing::TestWithParam<DecideCase> {};

TEST_P(Decide, OneLinePerRelationAndTheStatusSaysWhetherAllHold) {
    const DecideCase &expected = GetParam();
    pty::DetachedRun run = pty::run_without_terminal(pty::freelattice_path(), expected.args);
    ASSERT_TRUE(run.ending.exited);
    EXPECT_EQ(run.ending.status, expected.status);
    EXPECT_EQ(run.standard_output, expected.standard_output);
    EXPECT_EQ(run.standard_error, "");
}

INSTANTIATE_TEST_SUITE_P(CommandLine, Decide, testing::ValuesIn(DECISIONS),
                         [](const testing::TestParamInfo<DecideCase> &param) {
                             return std::string(param.param.name);
                         });

// With --json the build still runs, for the file alone, and the decisions
// and canonical forms are added to it, each list in the order given.
TEST_F(Presentation, DecisionsGoToTheJsonAndTheBuildOnlyThere) {
    const std::string json_file = folder_ + "/decided.json";
    pty::DetachedRun run = pty::run_without_terminal(
        pty::freelattice_path(),
        {"-p", "a b c", "-e", "ab<=a", "-c", "ba", "-e", "a<=ab", "-c", "(a+b)(a+c)(b+c)", "--json", json_file});
    EXPECT_EQ(run.ending.status, 1);
    EXPECT_EQ(run.standard_output,
              "ab<=a: true\nba = ab  (element 5)\na<=ab: false\n(a+b)(a+c)(b+c) = (a+b)(a+c)(b+c)\n");
    const std::string json = data_files::contents(json_file);
    EXPECT_NE(json.find("\n  \"elements\": ["), std::string::npos) << json;
    const std::string decisions =
        "\n  \"decisions\": [\n    {\"relation\":\"ab<=a\",\"holds\":true},\n"
        "    {\"relation\":\"a<=ab\",\"holds\":false}\n  ],\n"
        "  \"canonical_forms\": [\n    {\"term\":\"ba\",\"canonical\":\"ab\",\"element\":5},\n"
        "    {\"term\":\"(a+b)(a+c)(b+c)\",\"canonical\":\"(a+b)(a+c)(b+c)\",\"element\":null}\n  ]\n}\n";
    ASSERT_GE(json.size(), decisions.size());
    EXPECT_EQ(json.substr(json.size() - decisions.size()), decisions);
}

}  // namespace

namespace {

// Questions one a line: comments, blank lines and CR LF skipped over, #N
// read as a question, a line that cannot be read told by its number while
// the run goes on, a line past the bound refused unread, the last line
// without its line end; after the options' questions.
TEST_F(Presentation, QuestionsFromAFileAnsweredInOrderAndFaultsToldByLine) {
    const std::string file = folder_ + "/questions";
    data_files::write(file, "# FL(3)\r\n\r\na(b+c)<=ab+ac\r\n#4\nab+(a+b\n" + std::string(30000, 'a') +
                                "\nc(a+b)+ab");
    pty::DetachedRun run =
        pty::run_without_terminal(pty::freelattice_path(), {"-p", "a b c", "-c", "ba", "--questions", file});
    EXPECT_EQ(run.ending.status, 2);
    EXPECT_EQ(run.standard_output,
              "ba = ab  (element 5)\na(b+c)<=ab+ac: false\n#4 = a+b  (element 4)\nc(a+b)+ab = ab+c(a+b)\n");
    EXPECT_EQ(run.standard_error, "freelattice: " + file + ":5: character 8: ')' expected\nfreelattice: " + file +
                                      ":6: character 20001: question longer than 20000 characters\n");
}

TEST_F(Presentation, QuestionsThatCannotBeReadAtAll) {
    data_files::write(folder_ + "/empty", "");
    pty::DetachedRun empty = pty::run_without_terminal(pty::freelattice_path(), {"-p", "a", "-f", folder_ + "/empty"});
    EXPECT_EQ(empty.ending.status, 0);
    EXPECT_EQ(empty.standard_output + empty.standard_error, "");
    // A folder, and standard input closed: told before any answer.
    pty::DetachedRun folder =
        pty::run_without_terminal(pty::freelattice_path(), {"-p", "a", "-e", "a<=a", "-f", folder_});
    EXPECT_EQ(folder.ending.status, 2);
    EXPECT_EQ(folder.standard_output, "");
    EXPECT_EQ(folder.standard_error, "freelattice: cannot read " + folder_ + ": Is a directory\n");
    pty::DetachedRun closed =
        pty::run_without_terminal("/bin/sh", {"-c", "exec 0<&- \"$0\" -p a -f -", pty::freelattice_path()});
    EXPECT_EQ(closed.ending.status, 2);
    EXPECT_EQ(closed.standard_output, "");
    EXPECT_EQ(closed.standard_error, "freelattice: cannot read -: Bad file descriptor\n");
}

// Random relations and terms over random partial lattices: the file's
// answers are those of the same questions given as options, and each
// relation's verdict is the independent reference's.
TEST_F(Presentation, FileAnswersAgreeWithOptionsAndWithTheReference) {
    const std::string file = folder_ + "/random";
    for (std::uint64_t seed = 1; seed <= 8; ++seed) {
        random_lattice::RandomPartialLattice lattice = random_lattice::make_random_partial_lattice(seed);
        term_oracle::Terms oracle(scripted::lattice());
        random_lattice::Random random{seed};
        std::vector<std::string> args = {"-p", random_lattice::chains_of(lattice), "-D",
                                         random_lattice::definitions_of(lattice)};
        if (lattice.defined.empty()) args.resize(2);
        std::string lines, expected_verdicts;
        std::vector<std::string> as_options = args;
        for (int k = 0; k < 30; ++k) {
            std::string s = random_lattice::term_text(random_lattice::random_term_tree(random, 3), random);
            std::string t = random_lattice::term_text(random_lattice::random_term_tree(random, 3), random);
            bool term = k % 5 == 0;
            std::string question = term ? s : s + "<=" + t;
            lines += question + "\n";
            as_options.insert(as_options.end(), {term ? "-c" : "-e", question});
            if (!term) expected_verdicts += oracle.below(oracle.read(s), oracle.read(t)) ? 't' : 'f';
        }
        data_files::write(file, lines);
        args.insert(args.end(), {"-f", file});
        pty::DetachedRun from_file = pty::run_without_terminal(pty::freelattice_path(), args);
        pty::DetachedRun from_options = pty::run_without_terminal(pty::freelattice_path(), as_options);
        EXPECT_EQ(from_file.standard_output, from_options.standard_output) << lattice.describe();
        EXPECT_EQ(from_file.ending.status, from_options.ending.status) << lattice.describe();
        std::string verdicts;
        for (std::size_t at = from_file.standard_output.find(": "); at != std::string::npos;
             at = from_file.standard_output.find(": ", at + 1))
            verdicts += from_file.standard_output[at + 2];
        EXPECT_EQ(verdicts, expected_verdicts) << lattice.describe();
    }
}

// A coprocess: one question written, its answer read, before the next is
// written. The program must not wait for more input with an answer held.
TEST(Questions, EachAnswerIsOutBeforeTheNextQuestionIsRead) {
    pty::Session::Options options;
    options.args = {"-p", "a b c", "-f", "-"};
    options.stdout_pipe = pty::Session::Options::Pipe::READ_BY_TEST;
    pty::Session session(options);
    ASSERT_TRUE(session.started());
    const char *exchange[][2] = {{"a<=a+b\n", "a<=a+b: true\n"},
                                 {"(a+b)(a+c)(a+b+c)\n", "(a+b)(a+c)(a+b+c) = (a+b)(a+c)\n"},
                                 {"ab+ac>=a(b+c)\n", "ab+ac>=a(b+c): false\n"}};
    for (auto &[question, answer] : exchange) {
        ASSERT_TRUE(session.write(question));
        std::string got;
        while (got.find('\n') == std::string::npos) {
            pollfd ready = {session.stdout_pipe(), POLLIN, 0};
            ASSERT_EQ(poll(&ready, 1, pty::HANG_GUARD_MS), 1) << "no answer to " << question;
            char bytes[256];
            ssize_t n = read(session.stdout_pipe(), bytes, sizeof bytes);
            ASSERT_GT(n, 0);
            got.append(bytes, static_cast<std::size_t>(n));
        }
        EXPECT_EQ(got, answer);
    }
    ASSERT_TRUE(session.write("\x04"));  // end of input at the terminal
    EXPECT_EQ(session.wait_exit().status, 1);
}

}  // namespace
