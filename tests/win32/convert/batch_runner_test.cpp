// The batch on its worker thread, with a renderer double: a failed row does not stop the batch,
// and a stop ends the file in hand (a rendering that would never end) and then the batch.
#include "conversion_fixture.h"

#include "app/environment.h"
#include "convert/batch_runner.h"
#include "convert/imaging_thread.h"
#include "win32/wide_text.h"

#include <cwchar>
#include <memory>

namespace {
// Renders by copying the document; a document named "hang" waits for the stop (at most 30 s).
class CopyingRenderer : public Renderer {
public:
    int Render(const wchar_t* source, const wchar_t* target, const StopRequest& stop,
               ConversionOutcome&) override {
        ++calls;
        if (!std::wcsstr(source, L"hang"))
            return ::CopyFileW(source, target, FALSE) ? kConverted : kNothingRendered;
        ::SetEvent(hanging.Get());
        return ::WaitForSingleObject(stop.Event(), 30000) == WAIT_OBJECT_0 ? kStopped : kConverted;
    }
    CHandle hanging{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    int calls = 0;
};

// "row text reason" per converted row, "steps n", then "end"
class RecordingReport : public BatchReport {
public:
    void Begin() override {}
    void RowDone(const BatchRowResult& row) override {
        lines.push_back(std::to_string(row.index) + " " + row.text + " " + Utf8(row.reason));
    }
    void Steps(int count) override { lines.push_back("steps " + std::to_string(count)); }
    void End(const BatchSummary&) override { lines.push_back("end"); }
    std::vector<std::string> lines;
};

unsigned __stdcall Work(void* batch) {
    return static_cast<BatchRunner*>(batch)->Run();
}

class Batch : public ConversionTest {
protected:
    std::string Fax() { return Folder("fax"); }
    // Starts a batch over `names`, all ticked, from fax\ into out\, rendered as `choice` (by
    // copying, when none) chooses.
    void Start(const std::vector<std::string>& names, RendererChoice choice = nullptr) {
        BatchJob job{Wide(Fax()).c_str(),         Wide(Folder("out")).c_str(), {}, 0, 0, TempTiffPath, L"",
                     CopyOptions{6, 75, 0, -1, 0}};
        for (const std::string& name : names)
            job.rows.push_back(BatchRow{static_cast<int>(job.rows.size()), Wide(name).c_str(), true});
        if (!choice) {
            auto* renderer = m_renderer = new CopyingRenderer;
            choice = [renderer](const BatchJob&, const StopRequest&) {
                return std::unique_ptr<Renderer>(renderer);
            };
        }
        m_batch = std::make_unique<BatchRunner>(std::move(job), std::move(choice), m_report);
        ASSERT_TRUE(m_batch->Start(&Work, m_batch.get()));
    }
    // Waits for the worker, serving its reports; its count of converted files.
    DWORD WaitForEnd() {
        EXPECT_TRUE(m_batch->WaitServing());
        DWORD converted = ~0u;
        EXPECT_TRUE(::GetExitCodeThread(m_batch->Thread(), &converted) && converted != STILL_ACTIVE);
        return converted;
    }

    RecordingReport m_report;
    CopyingRenderer* m_renderer = nullptr;
    std::unique_ptr<BatchRunner> m_batch;
};

// Each file gets its own .tif beside the others, and one of a subfolder the same subfolder of the
// output folder, made as needed; a row without a name is passed over and counted, and a failed row
// (one whose subfolder cannot be made among them) does not stop the batch.
TEST_F(Batch, AFailedRowDoesNotStopTheBatch) {
    const std::pair<std::string, const char*> converted[] = {{"a.b.awd", "a.b.tif"},
                                                             {"FAX.AWD", "FAX.tif"},
                                                             {"faxawd", "faxawd.tif"},
                                                             {"a.b\\fax", "a.b\\fax.tif"},
                                                             {"2019\\03\\fax 1.awd", "2019\\03\\fax 1.tif"}};
    for (const char* folder : {"2019", "2019\\03", "a.b", "taken"})
        ::CreateDirectoryA((Fax() + "\\" + folder).c_str(), nullptr);
    for (const auto& file : converted)
        WriteFaxFixture(Fax() + "\\" + file.first, 2, static_cast<unsigned>(&file - converted));
    WriteFaxFixture(Fax() + "\\taken\\x.awd", 1, 9);
    WriteText(Folder("out") + "\\taken", "a file where the folder would go");
    const std::string tooLong = std::string(MAX_PATH - Fax().size(), 'p') + ".awd";
    Start({"a.b.awd", tooLong, "gone.awd", "", "FAX.AWD", "faxawd", "2019\\03\\fax 1.awd", "taken\\x.awd",
           "a.b\\fax"});
    EXPECT_EQ(WaitForEnd(), 5u);
    ConversionOutcome notMade;
    notMade.result = kOutputFolderNotMade;
    EXPECT_EQ(m_report.lines,
              (std::vector<std::string>{
                  "0 OK ", "1 Fail The path is longer than 259 characters: use a shorter folder or name",
                  "2 Fail The AWD file is no longer there (moved, deleted, or its network share is gone): "
                  "select its folder again",
                  "steps 1", "4 OK ", "5 OK ", "6 OK ", "7 Fail " + std::string(FailureReason(notMade)),
                  "8 OK ", "end"}));
    EXPECT_EQ(m_renderer->calls, 5) << "a row that cannot be read reached the renderer";
    for (const auto& file : converted)
        EXPECT_EQ(ReadFaxPages(m_root + "\\out\\" + file.second), ReadFaxPages(Fax() + "\\" + file.first));
    EXPECT_EQ(ListFiles(m_root + "\\out").size(), 4u); // and the file in the way
}

TEST_F(Batch, AStopEndsTheFileInHandAndTheBatch) {
    for (const char* name : {"hang.awd", "b.awd"})
        WriteFaxFixture(Fax() + "\\" + name, 1, 3);
    Start({"hang.awd", "b.awd"});
    // The worker's reports are sent: they need this thread while it waits.
    ASSERT_TRUE(
        Serve(10000, [&] { return ::WaitForSingleObject(m_renderer->hanging.Get(), 0) == WAIT_OBJECT_0; }));
    m_batch->RequestStop();
    EXPECT_EQ(WaitForEnd(), 0u);
    EXPECT_EQ(m_report.lines,
              (std::vector<std::string>{
                  "0 Fail The conversion was stopped before the renderer finished: convert the file again",
                  "end"}));
    EXPECT_EQ(m_renderer->calls, 1) << "the batch went on after the stop";
    EXPECT_TRUE(ListFiles(m_root + "\\out").empty());
}

// A batch stopped in a call of the imaging control that never returns, then another: the second
// gets a control of its own, on a thread of its own.
TEST_F(Batch, AControlLeftInACallGivesWayToAControlOfItsOwn) {
    const ScopedGeneration control(3);
    WriteFaxFixture(Fax() + "\\hang.awd", 1, 3);
    WriteFaxFixture(Fax() + "\\b.awd", 1, 4);
    std::shared_ptr<ImagingThread> imaging;
    const auto batch = [&](const char* name) {
        ImagingThread::Renew(imaging, RECT{0, 0, 100, 100}, 102);
        Start({name}, [imaging](const BatchJob&, const StopRequest& stop) {
            return ChooseRenderer(3, imaging, L"", stop);
        });
        if (name[0] == 'h') {
            EXPECT_TRUE(Serve(10000, [] { return ControlLog().size() == 3; }));
            m_batch->RequestStop();
        }
        return WaitForEnd();
    };
    EXPECT_EQ(batch("hang.awd"), 0u);
    EXPECT_EQ(batch("b.awd"), 1u) << m_report.lines.back();
    EndStandInControlHang();
    imaging->RequestEnd();
    EXPECT_TRUE(Serve(10000, [] { return StandInProbe().liveObjects == 0; }));
}
} // namespace
