// A renderer turns one AWD document into a multi-page TIFF file. A batch chooses one when it
// starts and keeps it for all its files.
#pragma once

#include "convert/conversion_result.h"
#include "convert/stop_request.h"

#include <memory>

class CImgEdit;

class Renderer {
public:
    virtual ~Renderer() = default;
    // Worker thread. Renders `source` into `target`; kConverted when the renderer ran (what it
    // wrote is judged afterwards), else a failure with its cause in `outcome`. Once `stop` is set,
    // a renderer that can be cut short gives up when the grace is over.
    virtual int Render(const char* source, const char* target, const StopRequest& stop,
                       ConversionOutcome& outcome) = 0;
    // Window thread. An event that is set while the renderer waits for the window thread, and
    // the service it waits for; a window thread that must wait for the worker (closing) serves
    // both, since a posted request finds no message loop then.
    virtual HANDLE RequestEvent() const { return nullptr; }
    virtual void ServeRequest() {}
};

// Windows NT 4.0, 2000 and XP have the fax viewer program; the other versions the imaging
// control.
bool UsesConverterProgram(int generation);

// Window thread, once per batch. The generation's own renderer where it works: the imaging
// control, or the fax viewer program found by FindConverterProgram from Tarnvel.exe's folder
// `programFolder` on. Where the control could not be created, that program too; where there is no
// program, a renderer that fails every file with kNoRenderer and what the control's creation
// reported.
std::unique_ptr<Renderer> ChooseRenderer(int generation, CImgEdit& control, const char* programFolder);
