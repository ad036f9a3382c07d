// Renderers that fail as real ones do: the row reads "Fail", the batch goes on, and an earlier
// output of the same name survives untouched.
#include "conversion_fixture.h"

#include "app/environment.h"

namespace {
class RendererFailure : public ConversionTest, public ::testing::WithParamInterface<int> {
protected:
    // Converts `names` (all ticked) from fax\ into out\, where every name's output already exists
    // as "earlier"; returns the rows' results.
    std::vector<std::string> Convert(const std::vector<std::string>& names) {
        m_out = Folder("out");
        for (const std::string& name : names)
            WriteText(m_out + "\\" + name.substr(0, name.rfind('.')) + ".tif", "earlier");
        std::vector<std::string> results;
        WithDialog([&](CConverterDlg& dialog) {
            ShowFolder(dialog, m_fax, names);
            for (size_t i = 0; i < names.size(); ++i)
                TickRow(dialog, static_cast<int>(i));
            ::SetDlgItemTextA(dialog.m_hWnd, 1005, m_out.c_str());
            ASSERT_TRUE(RunBatch(dialog));
            for (size_t i = 0; i < names.size(); ++i)
                results.push_back(ResultOf(dialog, static_cast<int>(i)));
        });
        EXPECT_TRUE(ListFiles(m_out, "*.tmp").empty()) << "no scratch file left";
        return results;
    }
    std::string Earlier(const char* name) { return ReadFile(m_out + "\\" + name); }

    void SetUp() override {
        ConversionTest::SetUp();
        m_fax = Folder("fax");
        for (const char* name : {"good1.awd", "noout.awd", "trunc.awd", "good2.awd", "dispfail.awd"})
            WriteFaxFixture(m_fax + "\\" + name, 3, 21);
    }

    ScopedGeneration m_generation{GetParam()};
    std::string m_fax;
    std::string m_out;
};

TEST_P(RendererFailure, NothingWrittenOrACutFileFailsAndTheBatchGoesOn) {
    // good1 leaves a whole temporary file behind: noout must not pass it off as its own.
    const auto results = Convert({"good1.awd", "noout.awd", "trunc.awd", "good2.awd"});
    EXPECT_EQ(results, (std::vector<std::string>{"OK", "Fail", "Fail", "OK"}));
    EXPECT_EQ(Earlier("noout.tif"), "earlier");
    EXPECT_EQ(Earlier("trunc.tif"), "earlier");
    EXPECT_EQ(ReadFaxPages(m_out + "\\good2.tif").size(), 3u);
}

TEST_P(RendererFailure, AMissingDocumentFails) {
    const auto results = Convert({"missing.awd", "good1.awd"});
    EXPECT_EQ(results, (std::vector<std::string>{"Fail", "OK"}));
    EXPECT_EQ(Earlier("missing.tif"), "earlier");
}

TEST_P(RendererFailure, AnUnreadablePageIsALostPage) {
    // The control stand-in hands the document over byte for byte, so the temporary file keeps
    // a whole directory chain with a strip that cannot be read; the program stand-in cannot read
    // it at all. Either way the copier's result of 0 must not read "OK".
    WriteFaxFixture(m_fax + "\\lost.awd", 3, 8);
    BreakStripOffset(m_fax + "\\lost.awd", 1);
    const auto results = Convert({"lost.awd", "good1.awd"});
    EXPECT_EQ(results, (std::vector<std::string>{"Fail", "OK"}));
    EXPECT_EQ(Earlier("lost.tif"), "earlier");
}

TEST_P(RendererFailure, OverlongPathsAndCommandLinesFailWithoutStartingAnything) {
    // A name that takes the source path past 259 characters, and one that fits but makes the
    // command line longer than 299.
    const std::string tooLong = std::string(256 - m_fax.size(), 'p') + ".awd";
    const std::string longCommand = std::string(245 - m_fax.size(), 'c') + ".awd";
    ASSERT_GT(m_fax.size() + 1 + tooLong.size(), 259u);
    ASSERT_LT(m_fax.size() + 1 + longCommand.size(), 260u);
    ASSERT_GT(16 + 2 + (m_fax.size() + 1 + longCommand.size()) + 3 + strlen(TempTiffPath) + 1, 299u);
    std::vector<std::string> results;
    WithDialog([&](CConverterDlg& dialog) {
        ShowFolder(dialog, m_fax, {tooLong, longCommand, "good1.awd"});
        for (int i = 0; i < 3; ++i)
            TickRow(dialog, i);
        ASSERT_TRUE(RunBatch(dialog));
        for (int i = 0; i < 3; ++i)
            results.push_back(ResultOf(dialog, i));
    });
    if (GetParam() >= 5) {
        EXPECT_EQ(results, (std::vector<std::string>{"Fail", "Fail", "OK"}));
        EXPECT_EQ(StubLog().size(), 1u) << "only good1 started the program";
    } else {
        EXPECT_EQ(results[0], "Fail");
        EXPECT_EQ(results[2], "OK");
    }
}

INSTANTIATE_TEST_SUITE_P(BothRoutes, RendererFailure, ::testing::Values(7, 3),
                         [](const ::testing::TestParamInfo<int>& param) {
                             return param.param == 7 ? std::string("ConverterProgram")
                                                     : std::string("ImagingControl");
                         });

class ControlFailure : public ConversionTest {};

TEST_F(ControlFailure, AFailingDispatchCallFailsTheRowOnly) {
    ScopedGeneration generation(3);
    const std::string fax = Folder("fax");
    WriteFaxFixture(fax + "\\dispfail.awd", 2, 1);
    WriteFaxFixture(fax + "\\good.awd", 2, 2);
    WithDialog([&](CConverterDlg& dialog) {
        ShowFolder(dialog, fax, {"good.awd", "dispfail.awd", "good.awd"});
        for (int i = 0; i < 3; ++i)
            TickRow(dialog, i);
        ASSERT_TRUE(RunBatch(dialog));
        EXPECT_EQ(ResultOf(dialog, 0), "OK");
        EXPECT_EQ(ResultOf(dialog, 1), "Fail");
        EXPECT_EQ(ResultOf(dialog, 2), "OK");
        // The control's own words of its dispatch exception are the reason.
        EXPECT_EQ(ResultTipOf(dialog, 1), "The imaging control reported: The document could not be saved.");
        EXPECT_EQ(ResultTipOf(dialog, 2), "");
    });
}

TEST_F(ControlFailure, WithoutTheProgramEveryFileFailsQuietly) {
    ScopedGeneration generation(6);
    const std::string fax = Folder("fax");
    WriteFaxFixture(fax + "\\a.awd", 1, 1);
    ScopedNoProgramOnPath noProgram;
    WithDialog([&](CConverterDlg& dialog) {
        ShowFolder(dialog, fax, {"a.awd"});
        TickRow(dialog, 0);
        ASSERT_TRUE(RunBatch(dialog));
        EXPECT_EQ(ResultOf(dialog, 0), "Fail");
        EXPECT_EQ(ResultTipOf(dialog, 0), "The fax viewer program AWDVSTUB.EXE could not be started");
    });
    EXPECT_TRUE(StubLog().empty());
}
} // namespace
