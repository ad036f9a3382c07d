// Two batches, in any processes of the user, take turns with the one temporary file. The other
// conversion is played by this thread holding the file's lock.
#include "conversion_fixture.h"

#include "../modal_runner.h"
#include "app/environment.h"
#include "convert/temp_file_lock.h"

#include <memory>

namespace {
class TempFileTurns : public ConversionTest {
protected:
    // Shows fax\ with in.awd ticked and clicks Go while the other conversion holds the file.
    void StartWhileHeld(CConverterDlg& dialog) {
        WriteFaxFixture(Folder("fax") + "\\in.awd", 2, 8);
        ShowFolder(dialog, Folder("fax"), {"in.awd"});
        TickRow(dialog, 0);
        m_held = std::make_unique<CTempFileLock>(TempTiffPath, m_never);
        ASSERT_TRUE(m_held->Held());
        ClickGo(dialog);
    }

    ScopedGeneration m_generation{7};
    StopRequest m_never;
    std::unique_ptr<CTempFileLock> m_held;
};

TEST_F(TempFileTurns, ABatchWaitsForTheFileWithItsWindowServedThenConverts) {
    WithDialog([&](CConverterDlg& dialog) {
        StartWhileHeld(dialog);
        EXPECT_FALSE(Serve(1500, [&] { return !dialog.m_bWorkerRunning; })) << "converted beside the holder";
        EXPECT_TRUE(StubLog().empty()) << "rendered while another conversion had the file";
        m_held.reset();
        EXPECT_TRUE(Serve(30000, [&] { return !dialog.m_bWorkerRunning; }));
        EXPECT_EQ(ResultOf(dialog, 0), "OK");
    });
    EXPECT_EQ(ReadFaxPages(Folder("fax") + "\\in.tif"), ReadFaxPages(Folder("fax") + "\\in.awd"));
}

TEST_F(TempFileTurns, ClosingTheWindowEndsABatchThatWaits) {
    CConverterDlg dialog;
    const INT_PTR result = RunModal(
        dialog,
        [&](CDialog&) {
            StartWhileHeld(dialog);
            Serve(300);
            dialog.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        },
        10000);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(FileExists(Folder("fax") + "\\in.tif"));
}
} // namespace
