// A renderer turns one AWD document into a multi-page TIFF file. A batch chooses one on its worker
// before its first file and keeps it for all its files.
#pragma once

#include "convert/conversion_result.h"
#include "convert/stop_request.h"

#include <memory>

class ImagingThread;

class Renderer {
public:
    virtual ~Renderer() = default;
    // Worker thread. Renders `source` into `target`; kConverted when the renderer ran (what it
    // wrote is judged afterwards), else a failure with its cause in `outcome`. Once `stop` is set,
    // a renderer that can be cut short gives up when the grace is over.
    virtual int Render(const wchar_t* source, const wchar_t* target, const StopRequest& stop,
                       ConversionOutcome& outcome) = 0;
};

// Windows NT 4.0, 2000 and XP have the fax viewer program; the other versions the imaging
// control.
bool UsesConverterProgram(int generation);

// Worker thread, once per batch, so that neither the wait for the control nor the look for the
// program costs the window anything. The generation's own renderer where it works (for the
// control, once its thread knows whether it could make it); where the control could not be
// made, the fax viewer program found by FindConverterProgram from Tarnvel.exe's folder
// `programFolder` on; else a renderer that fails every file with kNoRenderer and what making the control
// reported. Nothing is looked for once `stop` is set.
std::unique_ptr<Renderer> ChooseRenderer(int generation, const std::shared_ptr<ImagingThread>& control,
                                         const wchar_t* programFolder, const StopRequest& stop);
