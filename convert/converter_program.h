// The fax viewer program as a renderer: "AWDVSTUB.EXE /c "source" "target"", one process per file.
#pragma once

#include "convert/renderer.h"
#include "framework/cstring.h"

class ConverterProgram : public Renderer {
public:
    // `applicationPath` is the program's full path, or empty to let the system's search for an
    // executable find "AWDVSTUB.EXE".
    explicit ConverterProgram(const char* applicationPath = "") : m_applicationPath(applicationPath) {}
    // Waits for the program, or on a stop for what is left of the grace; a program still running
    // then is ended and the file fails with kStoppedByClose.
    int Render(const char* source, const char* target, const StopRequest& stop,
               ConversionOutcome& outcome) override;

private:
    CString m_applicationPath;
};
