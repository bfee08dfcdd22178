// Expected outputs kept as readable files under tests/data.
#pragma once

#include <string>

namespace data_files {

// Contents of tests/data/<name>; fails the test when the file is missing.
std::string read(const std::string &name);

// Expects actual to equal tests/data/<name>. With FREELATTICE_UPDATE_DATA=1 in
// the environment the file is (re)written instead: review every such change.
void expect_equal(const std::string &actual, const std::string &name);

}  // namespace data_files
