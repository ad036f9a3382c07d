#include "convert/converter_program.h"
#include "convert/imaging_control.h"

namespace {
class NoRenderer : public Renderer {
public:
    // `controlCreation`: why the imaging control is missing.
    explicit NoRenderer(HRESULT controlCreation) : m_controlCreation(controlCreation) {}
    int Render(const wchar_t*, const wchar_t*, const StopRequest&, ConversionOutcome& outcome) override {
        outcome.error = m_controlCreation;
        return kNoRenderer;
    }

private:
    HRESULT m_controlCreation;
};
} // namespace

bool UsesConverterProgram(int generation) {
    return generation >= 5 && generation <= 7;
}

std::unique_ptr<Renderer> ChooseRenderer(int generation, const std::shared_ptr<ImagingThread>& control,
                                         const wchar_t* programFolder, const StopRequest& stop) {
    HRESULT controlCreation = S_OK;
    if (!UsesConverterProgram(generation)) {
        controlCreation = control ? control->WaitCreated(stop) : E_UNEXPECTED;
        if (SUCCEEDED(controlCreation))
            return std::make_unique<ImagingControl>(control);
        if (stop.IsSet())
            return std::make_unique<NoRenderer>(controlCreation);
    }
    // Windows Vista and later have no imaging control; people copy the fax viewer program from an
    // older system instead. Looked for here as it is started: by the same search.
    const CStringW program = FindConverterProgram(SystemProgramPlaces(programFolder));
    if (!program.IsEmpty())
        return std::make_unique<ConverterProgram>(program);
    return std::make_unique<NoRenderer>(controlCreation);
}
