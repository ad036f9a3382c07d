// Two batches, in any processes of the user, take turns with the one temporary file.
#include "conversion_fixture.h"

#include "../modal_runner.h"
#include "app/environment.h"
#include "convert/temp_file_lock.h"

#include <memory>

namespace {
class TempFileTurns : public ConversionTest {
protected:
    void SetUp() override {
        ConversionTest::SetUp();
        m_fax = Folder("fax");
        WriteFaxFixture(m_fax + "\\in.awd", 2, 8);
    }
    // Shows fax\ with in.awd ticked and clicks Go while another conversion holds the file.
    void StartWhileHeld(CConverterDlg& dialog) {
        ShowFolder(dialog, m_fax, {"in.awd"});
        TickRow(dialog, 0);
        m_held = std::make_unique<CTempFileLock>(TempTiffPath, m_never);
        ASSERT_TRUE(m_held->Held());
        ClickGo(dialog);
    }

    ScopedGeneration m_generation{7};
    std::string m_fax;
    std::atomic<bool> m_never{false};
    std::unique_ptr<CTempFileLock> m_held; // the other conversion
};

TEST_F(TempFileTurns, ABatchWaitsForTheFileWithItsWindowServedThenConverts) {
    WithDialog([&](CConverterDlg& dialog) {
        StartWhileHeld(dialog);
        EXPECT_FALSE(Serve(1500, [&] { return !dialog.m_bWorkerRunning; })) << "converted beside the holder";
        EXPECT_EQ(ResultOf(dialog, 0), "");
        EXPECT_TRUE(StubLog().empty()) << "rendered while another conversion had the file";
        m_held.reset();
        EXPECT_TRUE(Serve(30000, [&] { return !dialog.m_bWorkerRunning; }));
        EXPECT_EQ(ResultOf(dialog, 0), "OK");
    });
    EXPECT_EQ(ReadFaxPages(m_fax + "\\in.tif"), ReadFaxPages(m_fax + "\\in.awd"));
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
    EXPECT_FALSE(FileExists(m_fax + "\\in.tif"));
}

TEST(TempFileLockName, IsShortWithoutBackslashesAndIgnoresCase) {
    char upper[32];
    char lower[32];
    char other[32];
    TempFileLockName("C:\\USERS\\A\\TEMP\\zq4intmp.tif", upper);
    TempFileLockName("c:\\users\\a\\temp\\ZQ4INTMP.TIF", lower);
    TempFileLockName("C:\\Users\\B\\Temp\\zq4intmp.tif", other);
    EXPECT_STREQ(upper, lower);
    EXPECT_STRNE(upper, other);
    EXPECT_EQ(std::string(upper).find('\\'), std::string::npos);
}
} // namespace
