// One file from the ticked row to its Group 4 output through the renderer of the running
// Windows version, and exactly what that renderer is handed. Run once per Windows version that
// wine can report (tests/win32_tests.cmake), which covers both routes.
#include "conversion_fixture.h"

#include "app/environment.h"
#include "convert/renderer.h"

#include <tiffio.h>

namespace {
using ConversionRoute = ConversionTest;

TEST_F(ConversionRoute, TheRunningWindowsVersionPicksItsRenderer) {
    ScopedGeneration generation(GetWindowsGeneration());
    const std::string fax = Folder("fax");
    const std::string out = m_root + "\\out";
    const std::string source = fax + "\\in 1.awd";
    WriteFaxFixture(source, 3, 7);
    EXPECT_EQ(ConvertFolder(fax, out.c_str(),
                            [](HWND dialog) {
                                EXPECT_EQ(ProgressOf(dialog), (Progress{1, 0, 1}));
                            }),
              (Results{{"in 1.awd", "OK"}}));
    std::vector<uint16_t> compressions;
    EXPECT_EQ(ReadFaxPages(out + "\\in 1.tif", &compressions), ReadFaxPages(source)) << "pixel for pixel";
    EXPECT_EQ(compressions, std::vector<uint16_t>(3, COMPRESSION_CCITTFAX4));
    EXPECT_EQ(ListFiles(out), std::vector<std::string>{"in 1.tif"}) << "a scratch file was left";

    const auto stub = StubLog();
    const auto control = ControlLog();
    if (UsesConverterProgram(WindowsGeneration)) {
        ASSERT_EQ(stub.size(), 1u);
        EXPECT_EQ(stub[0], "AWDVSTUB.EXE /c \"" + source + "\" \"" + Utf8(TempTiffPath) + "\"");
        EXPECT_TRUE(control.empty());
        return;
    }
    EXPECT_TRUE(stub.empty());
    ASSERT_EQ(control.size(), 3u);
    // Every call on the control's own thread.
    const ImgEditProbe& probe = StandInProbe();
    EXPECT_NE(probe.callThread, ::GetCurrentThreadId());
    const std::string thread = " tid=" + std::to_string(probe.callThread) + " ";
    EXPECT_EQ(control[0], "SetDocumentPath" + thread + "flags=4 named=1 types=8 values=" + source);
    EXPECT_EQ(control[1], "ShowDocument" + thread + "flags=1 named=0 types= values=");
    EXPECT_EQ(control[2], "SaveDocumentAs" + thread + "flags=1 named=0 types=8,2,2,2,3,10 values=" +
                              Utf8(TempTiffPath) + ",1,1,2,21,0x80020004");
    // Rendered by a control hosted as controls expect, hidden, and let go of in order.
    EXPECT_FALSE(probe.visibleAtCall);
    EXPECT_EQ(probe.liveObjects, 0);
    EXPECT_STREQ(probe.teardown, "InPlaceDeactivate Close SetClientSite(NULL) ");
    EXPECT_EQ(probe.siteRefsLeft, 1u) << "only the container's own reference is left";
}
} // namespace
