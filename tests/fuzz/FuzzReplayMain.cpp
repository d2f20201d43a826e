// Replays every file of a corpus folder through a fuzz target, so that the inputs that once
// found faults keep being checked by the ordinary test run.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv)
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        std::error_code error;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[i], error)) {
            if (!entry.is_regular_file())
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++replayed;
        }
        if (error) {
            std::fprintf(stderr, "cannot read the corpus %s: %s\n", argv[i], error.message().c_str());
            return 1;
        }
    }
    if (replayed == 0) {
        std::fprintf(stderr, "the corpus is empty\n");
        return 1;
    }
    std::printf("replayed %d inputs\n", replayed);
    return 0;
}
