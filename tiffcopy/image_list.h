// The input side of a copy: a file path, optionally followed by a list of directory numbers.
#pragma once

#include "tiffcopy/tiff_handle.h"

#include <string>

struct InputSpec {
    TiffHandle tif;
    std::string text;        // the whole input text as handed in
    size_t cursor = 0;       // position of the list separator to read next
    bool listActive = false; // while true, directories come from the list
};

enum class ListStep {
    Positioned, // the input sits on the next directory of the list
    Exhausted,  // no more numbers in the list
    NotFound,   // the numbered directory does not exist
    SyntaxError // the list is malformed
};

// Opens the named input file and positions it on its first directory (the list's first one
// when there is a list). On failure (including a malformed list) the handle is empty.
InputSpec OpenInputSpec(const char* spec);

// Opens the named input file on its first directory; no list.
InputSpec OpenInputFile(const char* path);

// Moves the input to the next directory named by the list. Writes the copier's messages for
// a missing directory and for a malformed list to the standard error stream.
ListStep AdvanceImageList(InputSpec& input);
