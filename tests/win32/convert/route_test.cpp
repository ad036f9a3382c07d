// Which renderer each Windows generation uses, and exactly what it is handed. Run once per
// Windows version that wine can report (tests/win32_tests.cmake).
#include "conversion_fixture.h"

#include "app/environment.h"

namespace {
class ConversionRoute : public ConversionTest {};

// Converts one file through the dialog under the generation of the running Windows version.
TEST_F(ConversionRoute, TheRunningWindowsVersionPicksItsRenderer) {
    ScopedGeneration generation(GetWindowsGeneration());
    const std::string fax = Folder("fax");
    WriteFaxFixture(fax + "\\in 1.awd", 2, 3);
    DWORD windowThread = ::GetCurrentThreadId();
    WithDialog([&](CConverterDlg& dialog) {
        ShowFolder(dialog, fax, {"in 1.awd"});
        TickRow(dialog, 0);
        ASSERT_TRUE(RunBatch(dialog));
        EXPECT_EQ(ResultOf(dialog, 0), "OK");
    });
    EXPECT_EQ(ReadFaxPages(fax + "\\in 1.tif").size(), 2u);

    const std::string source = fax + "\\in 1.awd";
    const bool program = WindowsGeneration >= 5;
    const auto stub = StubLog();
    const auto control = ControlLog();
    if (program) {
        ASSERT_EQ(stub.size(), 1u);
        EXPECT_EQ(stub[0], "AWDVSTUB.EXE /c \"" + source + "\" \"" + TempTiffPath + "\"");
        EXPECT_TRUE(control.empty());
    } else {
        EXPECT_TRUE(stub.empty());
        ASSERT_EQ(control.size(), 3u);
        const std::string thread = " tid=" + std::to_string(windowThread) + " ";
        EXPECT_EQ(control[0], "SetDocumentPath" + thread + "flags=4 named=1 types=8 values=" + source);
        EXPECT_EQ(control[1], "ShowDocument" + thread + "flags=1 named=0 types= values=");
        EXPECT_EQ(control[2], "SaveDocumentAs" + thread + "flags=1 named=0 types=8,2,2,2,3,10 values=" +
                                  std::string(TempTiffPath) + ",1,1,2,21,0x80020004");
        // Rendered by a control hosted as controls expect, hidden, and let go of in order.
        const ImgEditProbe& probe = StandInProbe();
        EXPECT_EQ(probe.callThread, windowThread);
        EXPECT_FALSE(probe.visibleAtCall);
        EXPECT_EQ(probe.liveObjects, 0);
        EXPECT_STREQ(probe.teardown, "InPlaceDeactivate Close SetClientSite(NULL) ");
        EXPECT_EQ(probe.siteRefsLeft, 1u) << "only the container's own reference is left";
    }
}

TEST_F(ConversionRoute, GenerationsFiveToSevenStartTheProgramAndTheOthersUseTheControl) {
    const std::string fax = Folder("fax");
    WriteFaxFixture(fax + "\\a.awd", 1, 1);
    WithDialog([&](CConverterDlg& dialog) {
        ShowFolder(dialog, fax, {"a.awd"});
        TickRow(dialog, 0);
        for (int code = 0; code <= 7; ++code) {
            ScopedGeneration generation(code);
            ClearStandInLogs();
            dialog.m_listFiles.SetItemText(0, 3, "");
            ASSERT_TRUE(RunBatch(dialog));
            EXPECT_EQ(ResultOf(dialog, 0), "OK") << "generation " << code;
            EXPECT_EQ(StubLog().size(), code >= 5 ? 1u : 0u) << "generation " << code;
            EXPECT_EQ(ControlLog().size(), code >= 5 ? 0u : 3u) << "generation " << code;
        }
    });
}
} // namespace
