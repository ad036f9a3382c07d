#include "tiffcopy/plane_samples.h"

#include <cstring>

namespace {
// Copies `bits` bits, most significant first, as many at a time as the two byte boundaries
// allow: damaged files can declare odd sample sizes.
void CopyBits(const uint8_t* from, uint64_t fromBit, uint8_t* to, uint64_t toBit, uint64_t bits) {
    while (bits > 0) {
        const unsigned fromOffset = static_cast<unsigned>(fromBit % 8);
        const unsigned toOffset = static_cast<unsigned>(toBit % 8);
        unsigned n = 8 - (fromOffset > toOffset ? fromOffset : toOffset);
        if (n > bits)
            n = static_cast<unsigned>(bits);
        const unsigned ones = (1u << n) - 1;
        const unsigned value = (from[fromBit / 8] >> (8 - fromOffset - n)) & ones;
        const unsigned shift = 8 - toOffset - n;
        uint8_t& target = to[toBit / 8];
        target = static_cast<uint8_t>((target & ~(ones << shift)) | (value << shift));
        fromBit += n;
        toBit += n;
        bits -= n;
    }
}

// Moves count samples: sample fromFirst + i * fromStep of `from` to sample toFirst + i * toStep
// of `to`, whole bytes by memcpy, 1, 2 and 4 bits (which never straddle a byte) by masks,
// other sizes bit range by bit range.
void MoveSamples(const uint8_t* from, uint64_t fromFirst, uint64_t fromStep, uint8_t* to, uint64_t toFirst,
                 uint64_t toStep, uint32_t count, uint16_t bits) {
    if (bits % 8 == 0) {
        const size_t bytes = bits / 8;
        for (uint32_t i = 0; i < count; ++i)
            std::memcpy(to + (toFirst + i * toStep) * bytes, from + (fromFirst + i * fromStep) * bytes,
                        bytes);
        return;
    }
    if (bits == 1 || bits == 2 || bits == 4) {
        const unsigned ones = (1u << bits) - 1;
        for (uint32_t i = 0; i < count; ++i) {
            const uint64_t fromBit = (fromFirst + i * fromStep) * bits;
            const uint64_t toBit = (toFirst + i * toStep) * bits;
            const unsigned value = (from[fromBit / 8] >> (8 - bits - fromBit % 8)) & ones;
            const unsigned shift = static_cast<unsigned>(8 - bits - toBit % 8);
            uint8_t& target = to[toBit / 8];
            target = static_cast<uint8_t>((target & ~(ones << shift)) | (value << shift));
        }
        return;
    }
    for (uint32_t i = 0; i < count; ++i)
        CopyBits(from, (fromFirst + i * fromStep) * bits, to, (toFirst + i * toStep) * bits, bits);
}
} // namespace

uint64_t SampleBytes(uint64_t count, uint16_t bitsPerSample) {
    return (count * bitsPerSample + 7) / 8;
}

void GatherPlaneSamples(const uint8_t* interleavedRow, uint8_t* planeRow, uint32_t firstPixel, uint32_t count,
                        uint16_t samplesPerPixel, uint16_t plane, uint16_t bitsPerSample) {
    MoveSamples(interleavedRow, uint64_t{firstPixel} * samplesPerPixel + plane, samplesPerPixel, planeRow, 0,
                1, count, bitsPerSample);
}

void ScatterPlaneSamples(const uint8_t* planeRow, uint8_t* interleavedRow, uint32_t firstPixel,
                         uint32_t count, uint16_t samplesPerPixel, uint16_t plane, uint16_t bitsPerSample) {
    MoveSamples(planeRow, 0, 1, interleavedRow, uint64_t{firstPixel} * samplesPerPixel + plane,
                samplesPerPixel, count, bitsPerSample);
}
