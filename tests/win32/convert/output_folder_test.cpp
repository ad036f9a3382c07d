// Where Go puts the files: the typed folder, created if need be, or else the listed folder.
#include "conversion_fixture.h"

#include "convert/output_path.h"

namespace {
class OutputFolder : public ConversionTest {
protected:
    // Converts fax\in.awd with `typed` in the output field; returns what the field shows after.
    std::string ConvertWithField(const std::string& typed) {
        std::string shown;
        WithDialog([&](CConverterDlg& dialog) {
            ShowFolder(dialog, m_fax, {"in.awd"});
            TickRow(dialog, 0);
            ::SetDlgItemTextA(dialog.m_hWnd, 1005, typed.c_str());
            ASSERT_TRUE(RunBatch(dialog));
            EXPECT_EQ(ResultOf(dialog, 0), "OK");
            shown = OutputFieldOf(dialog);
        });
        return shown;
    }

    void SetUp() override {
        ConversionTest::SetUp();
        m_fax = Folder("fax");
        WriteFaxFixture(m_fax + "\\in.awd", 2, 11);
    }

    ScopedGeneration m_generation{7};
    std::string m_fax;
};

TEST_F(OutputFolder, NestedMissingFoldersAreCreated) {
    const std::string deeper = m_root + "\\new\\deeper";
    EXPECT_EQ(ConvertWithField(deeper), deeper);
    EXPECT_EQ(ReadFaxPages(deeper + "\\in.tif").size(), 2u);
}

TEST_F(OutputFolder, AnUncreatableFolderFallsBackToTheListedFolder) {
    EXPECT_EQ(ConvertWithField("Q:\\no-such-drive\\out"), m_fax);
    EXPECT_EQ(ReadFaxPages(m_fax + "\\in.tif").size(), 2u);
}

TEST_F(OutputFolder, AnEmptyFieldMeansTheListedFolder) {
    EXPECT_EQ(ConvertWithField(""), m_fax);
    EXPECT_TRUE(FileExists(m_fax + "\\in.tif"));
}

TEST_F(OutputFolder, ARelativeFolderIsTakenFromTheListedFolder) {
    EXPECT_EQ(ConvertWithField("tif\\done"), m_fax + "\\tif\\done");
    EXPECT_TRUE(FileExists(m_fax + "\\tif\\done\\in.tif"));
}

TEST_F(OutputFolder, ATrailingBackslashStillCreatesAndUsesTheFolder) {
    EXPECT_EQ(ConvertWithField(m_root + "\\trail\\"), m_root + "\\trail");
    EXPECT_TRUE(FileExists(m_root + "\\trail\\in.tif"));
}

TEST_F(OutputFolder, ConvertingTheSameFileAgainReplacesTheOutput) {
    const std::string out = Folder("out");
    ConvertWithField(out);
    ASSERT_EQ(ReadFaxPages(out + "\\in.tif").size(), 2u);
    WriteFaxFixture(m_fax + "\\in.awd", 1, 99);
    ConvertWithField(out);
    EXPECT_EQ(ReadFaxPages(out + "\\in.tif"), ReadFaxPages(m_fax + "\\in.awd"));
}

TEST_F(OutputFolder, MakeFolderPathLeavesTheCurrentDirectoryAlone) {
    char before[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, before);
    const std::string deeper = m_root + "\\a\\b\\c";
    EXPECT_TRUE(MakeFolderPath(deeper.c_str()));
    EXPECT_TRUE(MakeFolderPath(deeper.c_str())) << "an existing folder";
    EXPECT_TRUE(FileExists(deeper));
    EXPECT_FALSE(MakeFolderPath("Q:\\no-such-drive"));
    char after[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_STREQ(before, after);
}
} // namespace
