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
    for (int i = 1; i < argc; ++i) {
        std::vector<std::filesystem::path> files{argv[i]};
        if (is_directory(files[0])) files.assign(std::filesystem::directory_iterator(argv[i]), {});
        for (const auto& file : files) {
            std::ifstream in(file, std::ios::binary);
            const std::vector<std::uint8_t> input{std::istreambuf_iterator<char>(in), {}};
            const std::string name = file.string();
            sarvell::test::fuzzInput = name.c_str();
            LLVMFuzzerTestOneInput(input.data(), input.size());
        }
    }
}
