// Whether a file's output is there from an earlier run, so that a batch may pass the file over.
// Only the folders' entries are read, never the files: FindFirstFile gives a file's time without
// opening it (Windows 95 has no GetFileAttributesEx), so a second run over thousands of converted
// files, or over a slow share, costs two look-ups a file.
#pragma once

// True when `output` is a file last written no earlier than `source`. Times count in whole steps
// of two seconds, FAT's, the coarsest of the file systems either may lie on (a share may keep
// seconds): an output written within the same two seconds as its source is no earlier.
bool OutputUpToDate(const wchar_t* source, const wchar_t* output);
