// The copier's process-wide settings and per-directory working values, and how a
// CopyOptions record is applied to them.
#pragma once

#include "tiffcopy/tiffcopy.h"

#include <cstdint>

struct CopierState {
    // Settings, carried between calls as described with ApplyCopyOptions.
    bool ignoreReadErrors = true;
    int32_t tileOutput = -1; // -1 undecided, 0 strips, other tiles
    int32_t jpegQuality = 75;
    int32_t jpegColorMode = 1;            // 1 RGB, 0 raw
    uint16_t defaultCompression = 0xFFFF; // 0xFFFF keeps each input directory's own
    uint32_t defaultGroup3Options = 0;
    char listSeparator = ',';
    uint16_t callFillOrder = 0;   // low 16 bits of nFillOrder of the current call
    bool oneStripPerPage = false; // the current call's PageLayout::OneStrip

    // Per-directory working values, see ResetDirectoryValues.
    uint16_t compression = 0xFFFF;
    uint16_t fillOrder = 0;
    uint32_t group3Options = 0;
    uint16_t planarConfig = 0xFFFF;
    uint32_t rowsPerStrip = 0;
    uint32_t tileWidth = 0xFFFFFFFF;
    uint32_t tileLength = 0xFFFFFFFF;
    uint16_t orientation = 1;

    CopyReport report{};
};

// The one state of the process. Not guarded: one copy at a time.
CopierState& Copier();

// Maps a compression code 0..10 onto the default compression, Group 3 options and JPEG
// colour mode. Returns 1 for a known code, 0 otherwise (which changes nothing but the
// Group 3 options).
int ApplyCompressionCode(int32_t code);

// Applies the options at the start of a copy; returns the output's open mode, "w" or "a".
const char* ApplyCopyOptions(const CopyOptions& options);

// Puts the per-directory working values into their starting state.
void ResetDirectoryValues();

// Replaces libtiff's warning and error handlers by empty ones (once per process).
void SilenceLibraryMessages();
