// Windows Vista and later have no imaging control: the fax viewer program beside Tarnvel.exe, or
// on the search path, renders instead; with neither, every row fails and says what to do. Run
// under the running Windows version (tests/win32_tests.cmake runs it as Windows 10 too).
#include "conversion_fixture.h"

#include "app/environment.h"
#include "convert/renderer.h"

#include <cstring>
#include <utility>

namespace {
class WithoutTheImagingControl : public ConversionTest {
protected:
    void SetUp() override {
        ConversionTest::SetUp();
        m_fax = Folder("fax");
        WriteFaxFixture(m_fax + "\\in 1.awd", 2, 5);
        std::memcpy(m_savedFolder, TarnvelFolder, sizeof(TarnvelFolder));
        SetPath(TarnvelFolder, Folder("tarnvel"));
        RefuseStandInControl(true);
    }
    void TearDown() override {
        RefuseStandInControl(false);
        std::memcpy(TarnvelFolder, m_savedFolder, sizeof(TarnvelFolder));
        ConversionTest::TearDown();
    }
    // Converts "in 1.awd" through the main window: its result and reason; `tip` receives the
    // reason's tooltip size.
    std::pair<std::string, std::string> Convert(SIZE* tip = nullptr) {
        std::string reason;
        Results results = ConvertFolder(m_fax, nullptr, [&](HWND dialog) {
            EXPECT_EQ(StandInProbe().liveObjects, 0) << "a control after all";
            reason = ResultTipOf(dialog, 0);
            if (tip)
                *tip = ResultTipSizeOf(dialog);
        });
        return {results["in 1.awd"], reason};
    }

    ScopedGeneration m_generation{GetWindowsGeneration()};
    std::string m_fax;
    wchar_t m_savedFolder[MAX_PATH] = L"";
};

TEST_F(WithoutTheImagingControl, TheProgramOnTheSearchPathRenders) {
    EXPECT_EQ(Convert().first, "OK");
    EXPECT_EQ(StubLog().size(), 1u);
}

TEST_F(WithoutTheImagingControl, WithoutTheProgramEveryRowFailsAndSaysWhatToDoAndBesideTarnvelItRenders) {
    if (UsesConverterProgram(WindowsGeneration))
        GTEST_SKIP() << "this Windows version has its own route to the program";
    ScopedNoProgramOnPath noProgram; // only the full path can find it
    // Why the control is missing comes with the reason: here it is not registered (the system's
    // words where it has them, else the code). Then where the program belongs and comes from.
    SIZE tip{0, 0};
    const auto failed = Convert(&tip);
    EXPECT_EQ(failed.first, "Fail");
    const std::string where = "; put AWDVSTUB.EXE next to Tarnvel.exe (copy it from i386\\win9xmig\\fax on a "
                              "Windows 2000 or XP disc)";
    EXPECT_TRUE(failed.second == "No AWD renderer on this system: the imaging control could not be created "
                                 "(Class not registered)" +
                                     where ||
                failed.second == "No AWD renderer on this system: the imaging control could not be created "
                                 "(error 0x80040154)" +
                                     where)
        << failed.second;
    // The longest reason there is, over a thousand pixels on one line, wraps to fit a 640-pixel
    // screen.
    EXPECT_GT(tip.cx, 0) << "no tip shown";
    EXPECT_LE(tip.cx, 640);
    EXPECT_TRUE(StubLog().empty());
    EXPECT_TRUE(ControlLog().empty());

    CopyFixture(ProgramFolder() + "\\doubles\\AWDVSTUB.EXE", Utf8(TarnvelFolder) + "\\AWDVSTUB.EXE");
    EXPECT_EQ(Convert(), std::make_pair(std::string("OK"), std::string()));
    EXPECT_EQ(ReadFaxPages(m_fax + "\\in 1.tif").size(), 2u);
    const auto stub = StubLog();
    ASSERT_EQ(stub.size(), 1u);
    EXPECT_EQ(stub[0], "AWDVSTUB.EXE /c \"" + m_fax + "\\in 1.awd\" \"" + Utf8(TempTiffPath) + "\"");
}
} // namespace
