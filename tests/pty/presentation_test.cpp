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

#include "data_files.h"
#include "pty_driver.h"

namespace {

struct PresentationCase {
    const char *name;
    std::vector<std::string> args;  // after --poset CHAINS
    const char *chains;
    std::string keys;  // the batch session that types chains and answers the same, then q
};

const std::vector<PresentationCase> PRESENTATIONS = {
    // The law test, then b.1, b.2, b+1, b+2 in the dialogue's order.
    {"PentagonTwoDefined", {"--define", "b+2=c, b.1"}, "a<b<c a<1<2<c", "abc a12c\n\nyynnyq"},
    {"PentagonNothingDefined", {}, "abc a12c", "abc a12c\n\nynnnnq"},
    {"OnePlusThree", {}, "a bcd", "a bcd\n\nq"},
    {"TwoPlusTwoAtTheLimit", {}, "a<b c<d", "ab cd\n\nq"},
    // A lattice with everything declared: b.c and b+c, and FL(P) is P.
    {"SquareAll", {"-D", "all"}, "abd acd", "abd acd\n\nyyyq"},
    {"SquareJoinOnly", {"-D", "b+c=d"}, "abd acd", "abd acd\n\nynyq"},
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
    EXPECT_EQ(poset.standard_output, verdict + build + limit);

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
// are added to it.
TEST_F(Presentation, DecisionsGoToTheJsonAndTheBuildOnlyThere) {
    const std::string json_file = folder_ + "/decided.json";
    pty::DetachedRun run = pty::run_without_terminal(
        pty::freelattice_path(), {"-p", "abc a12c", "-e", "b2<=b", "-e", "b<=b2", "--json", json_file});
    EXPECT_EQ(run.ending.status, 1);
    EXPECT_EQ(run.standard_output, "b2<=b: true\nb<=b2: false\n");
    const std::string json = data_files::contents(json_file);
    EXPECT_NE(json.find("\n  \"elements\": ["), std::string::npos) << json;
    const std::string decisions = "\n  \"decisions\": [\n    {\"relation\":\"b2<=b\",\"holds\":true},\n"
                                  "    {\"relation\":\"b<=b2\",\"holds\":false}\n  ]\n}\n";
    ASSERT_GE(json.size(), decisions.size());
    EXPECT_EQ(json.substr(json.size() - decisions.size()), decisions);
}

}  // namespace
