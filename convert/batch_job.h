// What a batch works on, handed over whole by whoever starts it (the window at Go): copies, so
// that the worker never reads a folder string or a list row while the window thread replaces it.
// Every name is the file system's own (framework/cstring_w.h).
#pragma once

#include "convert/output_path.h"
#include "framework/cstring_w.h"
#include "tiffcopy/tiffcopy.h"

#include <windows.h>

#include <vector>

struct BatchRow {
    int index;     // the row's place in the list when the batch started
    CStringW name; // column 0: the file's path relative to the source folder ("2019\\03\\fax.awd")
    bool ticked;
};

struct BatchJob {
    CStringW sourceFolder;
    CStringW outputFolder;
    std::vector<BatchRow> rows;
    unsigned listGeneration = 0; // results land only while the list still holds these rows
    int windowsGeneration = 0;   // picks the renderer
    CStringW tempTiffPath;       // where the renderer writes each document
    CStringW programFolder;      // Tarnvel.exe's folder, where the fax viewer program may lie
    CopyOptions copyOptions{};
    OutputFormat format = OutputFormat::Tiff; // the PDF check box when Go was pressed
    bool skipConverted = false; // an output no older than its AWD file is kept, and the row skipped
};

// The copier's options of every batch: Group 4, pages laid out as the rendered file has them.
CopyOptions BatchCopyOptions();

// Go's rule for where a batch writes: the folder typed (relative to the source folder), made
// level by level where it is missing; the source folder when nothing is typed or it cannot be made.
CStringW PrepareOutputFolder(const wchar_t* typed, const wchar_t* sourceFolder);
