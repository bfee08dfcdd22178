// The examples of the README and the manual page run as shown: every command
// line given with its output is run by sh, with this build's freelattice
// first on PATH, and must print exactly that (standard error included).
// README: an indented block whose first line starts with "freelattice " (or
// prints into it: "printf ... | freelattice ...") and that has more lines.
// Manual page: an .EX block whose first line starts with "$ " and the same.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "pty_driver.h"

namespace {

struct Example {
    std::string where;
    std::string command;
    std::string output;
};

void PrintTo(const Example &example, std::ostream *out) { *out << example.where << ": " << example.command; }

std::vector<std::string> lines_of(const std::string &path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

// A command whose input is printed into freelattice: "printf '...' | freelattice ...".
bool piped_in(const std::string &command) {
    return command.rfind("printf ", 0) == 0 && command.find("| freelattice ") != std::string::npos;
}

std::vector<Example> readme_examples() {
    std::vector<std::string> lines = lines_of(FREELATTICE_TEST_DATA_DIR "/../../README.md");
    std::vector<Example> examples;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        bool starts_block = (lines[i].rfind("    freelattice ", 0) == 0 ||
                             (lines[i].rfind("    ", 0) == 0 && piped_in(lines[i].substr(4)))) &&
                            (i == 0 || lines[i - 1].empty());
        if (!starts_block || i + 1 == lines.size() || lines[i + 1].rfind("    ", 0) != 0) continue;
        Example example{"README.md line " + std::to_string(i + 1), lines[i].substr(4), ""};
        for (++i; i < lines.size() && lines[i].rfind("    ", 0) == 0; ++i) example.output += lines[i].substr(4) + "\n";
        examples.push_back(example);
    }
    return examples;
}

// What groff shows for the escapes the examples use.
std::string unescaped(const std::string &line) {
    const std::pair<const char *, const char *> escapes[] = {
        {"\\-", "-"}, {"\\(aq", "'"}, {"\\(dq", "\""}, {"\\e", "\\"}, {"\\&", ""}};
    std::string text = line;
    for (const auto &[escape, shown] : escapes) {
        for (std::size_t at = text.find(escape); at != std::string::npos; at = text.find(escape, at + 1)) {
            text.replace(at, std::string(escape).size(), shown);
        }
    }
    return text;
}

std::vector<Example> manual_examples() {
    std::vector<std::string> lines = lines_of(FREELATTICE_TEST_DATA_DIR "/../../doc/freelattice.1");
    std::vector<Example> examples;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        std::string first = unescaped(lines[i + 1]);
        bool first_runs = first.rfind("$ freelattice ", 0) == 0 || (first.size() > 2 && piped_in(first.substr(2)));
        if (lines[i] != ".EX" || !first_runs) continue;
        Example example{"freelattice.1 line " + std::to_string(i + 2), unescaped(lines[i + 1]).substr(2), ""};
        for (i += 2; i < lines.size() && lines[i] != ".EE"; ++i) example.output += unescaped(lines[i]) + "\n";
        examples.push_back(example);
    }
    return examples;
}

std::vector<Example> all_examples() {
    std::vector<Example> examples = readme_examples();
    for (const Example &example : manual_examples()) examples.push_back(example);
    return examples;
}

TEST(DocumentedExamples, AreFoundInBothDocuments) {
    // A change of layout must not silently leave the examples unchecked.
    EXPECT_GE(readme_examples().size(), 4u);
    EXPECT_GE(manual_examples().size(), 3u);
}

class DocumentedExample : public testing::TestWithParam<Example> {};

TEST_P(DocumentedExample, PrintsWhatIsShown) {
    const Example &example = GetParam();
    char folder[] = "/tmp/freelattice-example-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    std::string program = pty::freelattice_path();
    std::string directory = program.substr(0, program.rfind('/'));
    std::string script = "cd '" + std::string(folder) + "' && PATH='" + directory + "':\"$PATH\"; " + example.command;
    pty::DetachedRun run = pty::run_without_terminal("/bin/sh", {"-c", script + " 2>&1"});
    EXPECT_TRUE(run.ending.exited);
    EXPECT_EQ(run.standard_output, example.output);
    (void)std::system(("rm -rf '" + std::string(folder) + "'").c_str());
}

INSTANTIATE_TEST_SUITE_P(Documents, DocumentedExample, testing::ValuesIn(all_examples()),
                         [](const testing::TestParamInfo<Example> &param) {
                             std::string name;
                             for (char c : param.param.where) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

}  // namespace
