// The fax viewer program as a renderer: "AWDVSTUB.EXE /c "source" "target"", one process per file,
// and where that program is looked for. The paths go in forms the code page spells
// (convert/code_page_paths.h).
#pragma once

#include "convert/renderer.h"
#include "framework/cstring_w.h"

class ConverterProgram : public Renderer {
public:
    // `applicationPath` is the program's full path, as FindConverterProgram gives it: started by
    // its bare name, the system's own search would try the current directory too.
    explicit ConverterProgram(const wchar_t* applicationPath) : m_applicationPath(applicationPath) {}
    // Waits for the program, or on a stop for what is left of the grace; a program still running
    // then is ended and the file fails with kStopped.
    int Render(const wchar_t* source, const wchar_t* target, const StopRequest& stop,
               ConversionOutcome& outcome) override;

private:
    CStringW m_applicationPath;
};

// The folders the fax viewer program is looked for in, in this order.
struct ProgramPlaces {
    CStringW programFolder; // Tarnvel.exe's: where the user puts a copy
    CStringW systemFolder;
    CStringW windowsFolder;
    CStringW searchPath; // folders separated by ';', as the PATH variable holds them
};

// This system's places, with Tarnvel.exe's folder `programFolder` first.
ProgramPlaces SystemProgramPlaces(const wchar_t* programFolder);

// The full path of "AWDVSTUB.EXE" in the first of `places` that holds it; empty when none does.
// Never the current directory: a PATH entry that is not a full path would be taken from it, and
// is passed over.
CStringW FindConverterProgram(const ProgramPlaces& places);
