// Moving the samples of one plane between a plane row and an interleaved row, for any
// sample size: whole-byte samples move as bytes, smaller ones bit by bit (MSB first).
#pragma once

#include <cstdint>

// Copies count samples of plane `plane` from the interleaved row, starting at pixel
// firstPixel, into planeRow from its first sample on.
void GatherPlaneSamples(const uint8_t* interleavedRow, uint8_t* planeRow, uint32_t firstPixel, uint32_t count,
                        uint16_t samplesPerPixel, uint16_t plane, uint16_t bitsPerSample);

// The reverse: count samples from planeRow's start into the interleaved row at firstPixel.
void ScatterPlaneSamples(const uint8_t* planeRow, uint8_t* interleavedRow, uint32_t firstPixel,
                         uint32_t count, uint16_t samplesPerPixel, uint16_t plane, uint16_t bitsPerSample);

// Bytes needed for count samples of bitsPerSample bits.
uint64_t SampleBytes(uint64_t count, uint16_t bitsPerSample);
