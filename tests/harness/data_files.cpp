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

std::string read(const std::string &name) {
    std::ifstream in(path_of(name), std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "missing data file tests/data/" << name;
        return {};
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void expect_equal(const std::string &actual, const std::string &name) {
    const char *update = std::getenv("FREELATTICE_UPDATE_DATA");
    if (update != nullptr && std::string(update) == "1") {
        std::filesystem::create_directories(path_of(name).parent_path());
        std::ofstream(path_of(name), std::ios::binary) << actual;
        return;
    }
    EXPECT_EQ(actual, read(name)) << "differs from tests/data/" << name;
}

}  // namespace data_files
