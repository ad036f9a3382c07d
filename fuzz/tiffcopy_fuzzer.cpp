// Hands arbitrary bytes to CopyTiff as its input file. The last byte picks the compression
// code (0..10) and the tiling option, so that every copy routine and encoder gets exercised.
#include "tiffcopy/tiffcopy.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {
std::string TempPath(const char* suffix) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir ? dir : "/tmp") + "/tarnvel-fuzz-" + std::to_string(getpid()) + suffix;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string input = TempPath("-in.tif");
    static const std::string output = TempPath("-out.tif");
    std::FILE* file = std::fopen(input.c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    const uint8_t last = size > 0 ? data[size - 1] : 0;
    const CopyOptions options{last % 11, 75, 0, (last / 11) % 3 - 1, 0};
    CopyTiff(input.c_str(), output.c_str(), &options);
    return 0;
}
