// The imaging control as a renderer: the worker hands each document to the control's own thread
// (convert/imaging_thread.h) and waits for it as it waits for the fax viewer program. The paths go
// in forms the code page spells (convert/code_page_paths.h), as for the program.
#pragma once

#include "convert/imaging_thread.h"
#include "convert/renderer.h"

#include <memory>

class ImagingControl : public Renderer {
public:
    // `thread` has made its control.
    explicit ImagingControl(std::shared_ptr<ImagingThread> thread) : m_thread(std::move(thread)) {}

    // Waits for the control's calls, or on a stop for what is left of the grace. The calls cannot
    // be cut short: one that has not returned then is given up on and the file fails with
    // kStopped, while the control's thread finishes it alone; until it has, the files of a later
    // batch fail with kControlStuck.
    int Render(const wchar_t* source, const wchar_t* target, const StopRequest& stop,
               ConversionOutcome& outcome) override;

private:
    std::shared_ptr<ImagingThread> m_thread;
};
