#include "data_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace data_files {

namespace {
std::filesystem::path path_of(const std::string &name) {
    return std::filesystem::path(FREELATTICE_TEST_DATA_DIR) / name;
}
}  // namespace

std::string contents(const std::string &path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

void write(const std::string &path, const std::string &text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string read(const std::string &name) {
    if (!std::filesystem::exists(path_of(name))) ADD_FAILURE() << "missing data file tests/data/" << name;
    return contents(path_of(name).string());
}

namespace {

bool updating() {
    const char *update = std::getenv("FREELATTICE_UPDATE_DATA");
    return update != nullptr && std::string(update) == "1";
}

void write_data(const std::string &name, const std::string &text) {
    std::filesystem::create_directories(path_of(name).parent_path());
    write(path_of(name).string(), text);
}

// Splits a data file into its leading comment lines and the rest.
void split(const std::string &text, std::string *heading, std::string *body) {
    std::istringstream lines(text);
    std::string line;
    bool in_heading = true;
    while (std::getline(lines, line)) {
        in_heading = in_heading && !line.empty() && line[0] == '#';
        (in_heading ? *heading : *body) += line + "\n";
    }
}

}  // namespace

void expect_equal(const std::string &actual, const std::string &name) {
    if (updating()) {
        write_data(name, actual);
        return;
    }
    EXPECT_EQ(actual, read(name)) << "differs from tests/data/" << name;
}

std::string read_body(const std::string &name) {
    std::string heading, body;
    split(read(name), &heading, &body);
    return body;
}

void expect_body_equal(const std::string &actual, const std::string &name,
                       const std::string &heading) {
    if (updating()) {
        std::string present, body;
        if (heading.empty()) split(read(name), &present, &body);
        write_data(name, (heading.empty() ? present : heading) + actual);
        return;
    }
    EXPECT_EQ(actual, read_body(name)) << "differs from tests/data/" << name;
}

}  // namespace data_files
