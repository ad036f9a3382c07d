// How output files are named and where the output folder ends up.
#include "conversion_fixture.h"

#include "convert/output_path.h"

namespace {
std::string Output(const char* folder, const char* name) {
    char path[MAX_PATH];
    return MakeOutputPath(path, folder, name) ? path : "(does not fit)";
}

TEST(OutputNaming, TheLastExtensionOfTheNameBecomesTif) {
    EXPECT_EQ(Output("C:\\out", "fax1.awd"), "C:\\out\\fax1.tif");
    EXPECT_EQ(Output("C:\\out", "a.b.awd"), "C:\\out\\a.b.tif");
    EXPECT_EQ(Output("C:\\out", "FAX.AWD"), "C:\\out\\FAX.tif");
    EXPECT_EQ(Output("C:\\out", "faxawd"), "C:\\out\\faxawd.tif");
    EXPECT_EQ(Output("C:\\a.b", "fax"), "C:\\a.b\\fax.tif") << "a dot in the folder is not the name's";
    EXPECT_EQ(Output("C:\\", "fax1.awd"), "C:\\\\fax1.tif");
}

TEST(OutputNaming, PathsThatDoNotFitAreRefusedWhole) {
    char path[MAX_PATH];
    const std::string folder = "C:\\" + std::string(240, 'f');
    EXPECT_FALSE(MakeOutputPath(path, folder.c_str(), "a-name-of-twenty.awd"));
    EXPECT_STREQ(path, "");
    EXPECT_FALSE(JoinPath(path, folder.c_str(), "a-name-of-twenty.awd"));
    EXPECT_STREQ(path, "");
    // 3 + 240 + 1 + 15 = 259 characters: the longest that fits.
    EXPECT_TRUE(JoinPath(path, folder.c_str(), "fifteen-chars.x"));
    EXPECT_EQ(std::string(path).size(), 259u);
}

TEST(OutputNaming, TypedFoldersAreMadeAbsoluteAndPlain) {
    EXPECT_EQ(std::string(ResolveOutputFolder("out", "C:\\fax")), "C:\\fax\\out");
    EXPECT_EQ(std::string(ResolveOutputFolder("..\\tif", "C:\\fax\\in")), "C:\\fax\\tif");
    EXPECT_EQ(std::string(ResolveOutputFolder("C:\\new\\deeper\\", "C:\\fax")), "C:\\new\\deeper");
    EXPECT_EQ(std::string(ResolveOutputFolder("C:\\new\\\\", "")), "C:\\new");
    EXPECT_EQ(std::string(ResolveOutputFolder("C:\\", "C:\\fax")), "C:\\");
    EXPECT_EQ(std::string(ResolveOutputFolder("", "C:\\fax")), "");
    EXPECT_EQ(std::string(ResolveOutputFolder(("C:\\" + std::string(300, 'x')).c_str(), "")), "");
}

class OutputNames : public ConversionTest {};

TEST_F(OutputNames, EachTickedFileGetsItsTifBesideTheOthers) {
    ScopedGeneration generation(7);
    const std::string fax = Folder("fax");
    const std::vector<std::string> names = {"fax1.awd", "a.b.awd", "FAX.AWD", "faxawd"};
    for (size_t i = 0; i < names.size(); ++i)
        WriteFaxFixture(fax + "\\" + names[i], 1, static_cast<unsigned>(i));
    WithDialog([&](CConverterDlg& dialog) {
        ShowFolder(dialog, fax, names);
        for (int i = 0; i < 4; ++i)
            TickRow(dialog, i);
        ClickGo(dialog);
        const HANDLE worker = dialog.m_hWorkerThread;
        ASSERT_NE(worker, nullptr);
        ASSERT_TRUE(Serve(60000, [&] { return !dialog.m_bWorkerRunning; }));
        DWORD flags = 0;
        EXPECT_FALSE(::GetHandleInformation(worker, &flags)) << "the ended worker's handle is closed";
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(ResultOf(dialog, i), "OK") << names[i];
    });
    EXPECT_EQ(ReadFaxPages(fax + "\\fax1.tif"), ReadFaxPages(fax + "\\fax1.awd"));
    EXPECT_EQ(ReadFaxPages(fax + "\\a.b.tif"), ReadFaxPages(fax + "\\a.b.awd"));
    EXPECT_EQ(ReadFaxPages(fax + "\\FAX.tif"), ReadFaxPages(fax + "\\FAX.AWD"));
    EXPECT_EQ(ReadFaxPages(fax + "\\faxawd.tif"), ReadFaxPages(fax + "\\faxawd"));
}

TEST_F(OutputNames, ADriveRootAsOutputFolder) {
    ScopedGeneration generation(7);
    const std::string fax = Folder("fax");
    WriteFaxFixture(fax + "\\tarnvel-root-test.awd", 2, 5);
    const std::string output = "C:\\tarnvel-root-test.tif";
    ::DeleteFileA(output.c_str());
    WithDialog([&](CConverterDlg& dialog) {
        ShowFolder(dialog, fax, {"tarnvel-root-test.awd"});
        TickRow(dialog, 0);
        ::SetDlgItemTextA(dialog.m_hWnd, 1005, "C:\\");
        ASSERT_TRUE(RunBatch(dialog));
        EXPECT_EQ(ResultOf(dialog, 0), "OK");
        EXPECT_EQ(OutputFieldOf(dialog), "C:\\");
    });
    EXPECT_EQ(ReadFaxPages(output), ReadFaxPages(fax + "\\tarnvel-root-test.awd"));
    ::DeleteFileA(output.c_str());
}
} // namespace
