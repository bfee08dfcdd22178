// Expected outputs kept as readable files under tests/data.
#pragma once

#include <string>

namespace data_files {

// Contents of tests/data/<name>; fails the test when the file is missing.
std::string read(const std::string &name);

// Contents of the file at path, byte for byte; empty when it cannot be read.
std::string contents(const std::string &path);

// Makes the file at path hold text, byte for byte.
void write(const std::string &path, const std::string &text);

// Expects actual to equal tests/data/<name>. With FREELATTICE_UPDATE_DATA=1 in
// the environment the file is (re)written instead: review every such change.
void expect_equal(const std::string &actual, const std::string &name);

// Contents of tests/data/<name> without its leading comment lines (lines
// starting with "#", which say what the file holds).
std::string read_body(const std::string &name);

// Expects actual to equal the body of tests/data/<name>. In the update mode
// the file is rewritten under the given heading (comment lines, each starting
// with "#"), or under its present one when heading is empty.
void expect_body_equal(const std::string &actual, const std::string &name,
                       const std::string &heading = "");

}  // namespace data_files
