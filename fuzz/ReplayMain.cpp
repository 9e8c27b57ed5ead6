// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// Runs a fuzz target over kept inputs without libFuzzer, so that the ordinary
// builds replay every past finding. Each argument is an input file or a
// folder of them; a missing path or a folder without a file fails the
// replay, so a corpus that went astray is noticed. A property the target
// checks ends the run with abort(), after the input's name.
//   <name>_replay FILE_OR_FOLDER...

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Optional, as with libFuzzer.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

namespace fs = std::filesystem;

// The files to replay for one argument, in a stable order.
std::vector<fs::path> inputsOf(const fs::path& path) {
    std::vector<fs::path> inputs;
    std::error_code error;
    if (fs::is_directory(path, error)) {
        for (const fs::directory_entry& entry : fs::directory_iterator(path, error)) {
            if (entry.is_regular_file(error)) {
                inputs.push_back(entry.path());
            }
        }
        std::sort(inputs.begin(), inputs.end());
    } else if (fs::is_regular_file(path, error)) {
        inputs.push_back(path);
    }
    return inputs;
}

bool replay(const fs::path& input) {
    std::ifstream file(input, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (!file.is_open() || file.bad()) {
        std::cerr << "FAIL: cannot read " << input << '\n';
        return false;
    }
    std::cout << "replaying " << input.filename().string() << std::endl;
    // A buffer of exactly the input's size, as libFuzzer gives, so that the
    // sanitizers see a read past its end.
    const auto data = std::make_unique<std::uint8_t[]>(bytes.size());
    std::memcpy(data.get(), bytes.data(), bytes.size());
    LLVMFuzzerTestOneInput(data.get(), bytes.size());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: " << argv[0] << " FILE_OR_FOLDER...\n";
        return 2;
    }
    if (LLVMFuzzerInitialize != nullptr) {
        LLVMFuzzerInitialize(&argc, &argv);
    }
    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::vector<fs::path> inputs = inputsOf(argv[i]);
        if (inputs.empty()) {
            std::cerr << "FAIL: no input in " << argv[i] << '\n';
            return 1;
        }
        for (const fs::path& input : inputs) {
            if (!replay(input)) {
                return 1;
            }
            ++replayed;
        }
    }
    std::cout << "PASS: " << replayed << " inputs replayed\n";
    return 0;
}
