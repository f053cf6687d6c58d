// Replays the fuzz target's committed corpus as an ordinary test, without
// libFuzzer: each file named, and every file in each folder named, is one input.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
namespace sarvell::test {
extern const char* fuzzInput;
}

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        if (!std::filesystem::is_directory(argv[i])) {
            files.emplace_back(argv[i]);
            continue;
        }
        for (const auto& file : std::filesystem::directory_iterator(argv[i])) files.push_back(file.path());
    }
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<std::uint8_t> input{std::istreambuf_iterator<char>(in), {}};
        const std::string name = file.string();
        sarvell::test::fuzzInput = name.c_str();
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
}
