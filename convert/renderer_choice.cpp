#include "convert/converter_program.h"
#include "convert/imaging_control.h"
#include "convert/output_path.h"

namespace {
const char kProgramName[] = "AWDVSTUB.EXE";

class NoRenderer : public Renderer {
public:
    // `controlCreation`: why the imaging control is missing.
    explicit NoRenderer(HRESULT controlCreation) : m_controlCreation(controlCreation) {}
    int Render(const char*, const char*, const StopRequest&, ConversionOutcome& outcome) override {
        outcome.error = m_controlCreation;
        return kNoRenderer;
    }

private:
    HRESULT m_controlCreation;
};

// The program's full path when it lies in `folder`, else empty.
CString ProgramIn(const char* folder) {
    char path[MAX_PATH];
    if (!folder || !*folder || !JoinPath(path, folder, kProgramName))
        return CString();
    const DWORD attributes = ::GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return CString();
    return path;
}

// Whether starting "AWDVSTUB.EXE" would find a program: the search that starting it does.
bool ProgramOnSearchPath() {
    char found[MAX_PATH];
    char* name = nullptr;
    const DWORD length = ::SearchPathA(nullptr, kProgramName, nullptr, MAX_PATH, found, &name);
    return length > 0 && length < MAX_PATH;
}
} // namespace

bool UsesConverterProgram(int generation) {
    return generation >= 5 && generation <= 7;
}

std::unique_ptr<Renderer> ChooseRenderer(int generation, const std::shared_ptr<ImagingThread>& control,
                                         const char* programFolder, const StopRequest& stop) {
    if (UsesConverterProgram(generation))
        return std::make_unique<ConverterProgram>();
    const HRESULT created = control ? control->WaitCreated(stop) : E_UNEXPECTED;
    if (SUCCEEDED(created))
        return std::make_unique<ImagingControl>(control);
    if (stop.IsSet())
        return std::make_unique<NoRenderer>(created);
    // Windows Vista and later have no imaging control; people copy the fax viewer program from an
    // older system instead.
    const CString beside = ProgramIn(programFolder);
    if (!beside.IsEmpty())
        return std::make_unique<ConverterProgram>(beside);
    if (ProgramOnSearchPath())
        return std::make_unique<ConverterProgram>();
    return std::make_unique<NoRenderer>(created);
}
