#include "convert/imaging_control.h"

#include "convert/code_page_paths.h"
#include "framework/file_names.h"

int ImagingControl::Render(const wchar_t* source, const wchar_t* target, const StopRequest& stop,
                           ConversionOutcome& outcome) {
    if (m_thread->Stuck())
        return kControlStuck;
    CodePagePaths paths(source, target);
    if (const int carried = paths.Result())
        return carried;
    const auto request = std::make_shared<RenderRequest>(files::FromAnsi(*paths.Source().Either()),
                                                         files::FromAnsi(*paths.Target().Either()));
    if (!request->done || !m_thread->Post(request))
        return kControlCallFailed;
    const HANDLE waits[] = {request->done.Get(), m_thread->Handle(), stop.Event()};
    DWORD woke = ::WaitForMultipleObjects(3, waits, FALSE, INFINITE);
    if (woke == WAIT_OBJECT_0 + 2)
        woke = ::WaitForMultipleObjects(2, waits, FALSE, stop.GraceLeft());
    if (woke == WAIT_OBJECT_0) {
        outcome.error = request->error;
        outcome.description = request->description;
        return request->result;
    }
    if (woke != WAIT_TIMEOUT)
        return kControlCallFailed; // the thread is gone, or the wait failed
    m_thread->Abandon(*request);
    return kStopped;
}
