// What one file's conversion came to: one value per outcome, and the words that tell the user
// what to do about a failure.
#pragma once

#include "framework/cstring.h"

#include <windows.h>

// 0 is a converted file; everything else reads "Fail". The copier's own results (1, -2, -3) and
// the program's start failure (-1) keep their values; every other cause has one of its own.
constexpr int kConverted = 0;
constexpr int kCopyDirectoryFailed = 1;  // a page could not be set up or written
constexpr int kConverterNotStarted = -1; // the fax viewer program could not be started
constexpr int kCopyOutputNotOpened = -2; // nothing can be written in the output folder
constexpr int kCopyInputNotOpened = -3;  // the rendered file is not a TIFF the copier can read
constexpr int kConverterWaitFailed = -4;
constexpr int kNoRenderer = -5;        // neither the control nor the program is there
constexpr int kControlCallFailed = -6; // the imaging control refused a call
constexpr int kNothingRendered = -7;   // the renderer ended without writing the temporary file
constexpr int kRenderedFileCut = -8;   // the temporary file's pages end early
constexpr int kTempFileInUse = -9;     // the previous temporary file cannot be removed
constexpr int kNoTempFile = -10;       // the temporary folder's path leaves no room for the file
constexpr int kPagesLost = -11;        // the copy read damaged data or dropped pages
constexpr int kOutputNotPlaced = -12;  // the finished file could not take the output's name
constexpr int kPathTooLong = -13;      // the source or output path has more than 259 characters
constexpr int kCommandLineTooLong = -14;
constexpr int kTempFileBusy =
    -15; // the batch stopped while another window's conversion held the temporary file
constexpr int kSourceGone = -16;       // the AWD file is no longer where it was listed
constexpr int kSourceUnreadable = -17; // the AWD file cannot be opened for reading
constexpr int kStopped = -18;          // the batch was stopped and the renderer did not finish in time
constexpr int kPdfNotWritten = -19;    // the PDF writer could not write the output
constexpr int kPdfPageRefused = -20;   // a copied page is not one the PDF writer can take
// The renderers read paths in the code page: the temporary file's has no form it spells.
constexpr int kTempPathNotInCodePage = -21;
// The same for the AWD file's, and no copy of it under a plain name could be made.
constexpr int kSourceNotCopied = -22;
// The imaging control is still in a call given up on, and no other control can be had meanwhile.
constexpr int kControlStuck = -23;
constexpr int kOutputFolderNotMade = -24; // a folder below the output folder could not be made
// A PDF's pages go through the temporary folder: they could not be written there,
constexpr int kPdfPagesNotWritten = -25;
// or not be read back once written.
constexpr int kPdfPagesNotRead = -26;

// A conversion's result with what is known about its cause.
struct ConversionOutcome {
    int result = kConverted;
    // kControlCallFailed: the call's result; kNoRenderer: the control's creation;
    // kConverterNotStarted: why the program did not start
    HRESULT error = S_OK;
    CString description; // kControlCallFailed: the control's own words, when it gave any
    int pages = 0;       // kConverted: pages written; kPagesLost: pages rendered
    int pagesCopied = 0; // kPagesLost: pages written whole
};

// One sentence for the user; empty for a converted file.
CString FailureReason(const ConversionOutcome& outcome);
