// What the program is asked for on its command line, as one plain record made from the text by a
// pure function: every way a script, a shortcut or Explorer writes it can be tried from a string.
#pragma once

#include "framework/cstring_w.h"

struct CommandLine {
    enum class Mode {
        Window,  // the window, with `folder` selected when one is given
        Convert, // /convert: every AWD file of `folder` converted without a window
        Usage,   // /?: how to write the command line
    };
    Mode mode = Mode::Window;
    CStringW folder;
    CStringW output; // /out; empty: the source folder
    CStringW report; // /report; empty: none
    bool pdf = false;
    bool subfolders = false;
    bool skip = false;
    // What is wrong with the line, for the user; empty when nothing is. `mode` still says whether a
    // run without a window was asked for, where nobody would answer a message box.
    CStringW error;
};

// The words after the program's name (blanks separate them, quotes hold a path with blanks
// together). Options in any case, marked with '/' or '-'.
CommandLine ParseCommandLine(const wchar_t* arguments);

// How to write the command line, as the usage box shows it.
extern const char kUsageText[];
