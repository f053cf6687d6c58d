// Replays the fuzz target's committed corpus as an ordinary test, without
// libFuzzer: every file in the folders named is one input.
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
        for (const auto& file : std::filesystem::directory_iterator(argv[i])) {
            std::ifstream in(file.path(), std::ios::binary);
            const std::vector<std::uint8_t> input{std::istreambuf_iterator<char>(in), {}};
            const std::string name = file.path().string();
            sarvell::test::fuzzInput = name.c_str();
            LLVMFuzzerTestOneInput(input.data(), input.size());
        }
    }
}
