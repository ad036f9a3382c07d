#include "tiffcopy/plane_samples.h"

#include <cstring>

namespace {
int GetBit(const uint8_t* bits, uint64_t index) {
    return (bits[index >> 3] >> (7 - (index & 7))) & 1;
}

void PutBit(uint8_t* bits, uint64_t index, int value) {
    const uint8_t mask = static_cast<uint8_t>(0x80 >> (index & 7));
    if (value)
        bits[index >> 3] |= mask;
    else
        bits[index >> 3] &= static_cast<uint8_t>(~mask);
}

void CopyBits(const uint8_t* from, uint64_t fromBit, uint8_t* to, uint64_t toBit, uint16_t bits) {
    for (uint16_t i = 0; i < bits; ++i)
        PutBit(to, toBit + i, GetBit(from, fromBit + i));
}
} // namespace

uint64_t SampleBytes(uint64_t count, uint16_t bitsPerSample) {
    return (count * bitsPerSample + 7) / 8;
}

void GatherPlaneSamples(const uint8_t* interleavedRow, uint8_t* planeRow, uint32_t firstPixel, uint32_t count,
                        uint16_t samplesPerPixel, uint16_t plane, uint16_t bitsPerSample) {
    if (bitsPerSample % 8 == 0) {
        const size_t bytes = bitsPerSample / 8;
        for (uint32_t i = 0; i < count; ++i) {
            const uint64_t sample = (uint64_t{firstPixel} + i) * samplesPerPixel + plane;
            std::memcpy(planeRow + i * bytes, interleavedRow + sample * bytes, bytes);
        }
        return;
    }
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t sample = (uint64_t{firstPixel} + i) * samplesPerPixel + plane;
        CopyBits(interleavedRow, sample * bitsPerSample, planeRow, uint64_t{i} * bitsPerSample,
                 bitsPerSample);
    }
}

void ScatterPlaneSamples(const uint8_t* planeRow, uint8_t* interleavedRow, uint32_t firstPixel,
                         uint32_t count, uint16_t samplesPerPixel, uint16_t plane, uint16_t bitsPerSample) {
    if (bitsPerSample % 8 == 0) {
        const size_t bytes = bitsPerSample / 8;
        for (uint32_t i = 0; i < count; ++i) {
            const uint64_t sample = (uint64_t{firstPixel} + i) * samplesPerPixel + plane;
            std::memcpy(interleavedRow + sample * bytes, planeRow + i * bytes, bytes);
        }
        return;
    }
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t sample = (uint64_t{firstPixel} + i) * samplesPerPixel + plane;
        CopyBits(planeRow, uint64_t{i} * bitsPerSample, interleavedRow, sample * bitsPerSample,
                 bitsPerSample);
    }
}
