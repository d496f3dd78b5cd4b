// SPDX-License-Identifier: Apache-2.0
// Without libFuzzer: every file of the folders (or files) named on the
// command line goes once through the target, so the corpus is a regression
// test in every build.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::filesystem::path> InputsOf(const std::filesystem::path& where) {
    std::vector<std::filesystem::path> inputs;
    if (std::filesystem::is_directory(where)) {
        for (const auto& entry : std::filesystem::directory_iterator(where))
            if (entry.is_regular_file())
                inputs.push_back(entry.path());
    } else {
        inputs.push_back(where);
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

} // namespace

int main(int argc, char** argv) {
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& path : InputsOf(argv[i])) {
            std::ifstream file(path, std::ios::binary);
            if (!file) {
                std::fprintf(stderr, "cannot read %s\n", path.c_str());
                return 1;
            }
            const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
            std::printf("%s (%zu bytes)\n", path.filename().c_str(), bytes.size());
            std::fflush(stdout);
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;
}
