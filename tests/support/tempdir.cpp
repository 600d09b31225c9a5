// Temporary folders and small file helpers for fixtures.
#include "support/tempdir.hpp"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

std::string runPath(const std::string& name) {
    const char* base = std::getenv("TONVASK_TEST_TMP");
    return std::string(base ? base : "/tmp") + "/" + name;
}

TempDir::TempDir() {
    std::string pattern = runPath("case.XXXXXX");
    path = mkdtemp(pattern.data()) ? pattern : std::string();
    previous = fs::current_path().string();
    fs::current_path(path);
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::current_path(previous, ec);
    fs::remove_all(path, ec);
}

void writeFile(const std::string& path, const std::string& content) {
    fs::path p(path);
    if (p.has_parent_path()) fs::create_directories(p.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool fileExists(const std::string& path) { return fs::exists(path); }
