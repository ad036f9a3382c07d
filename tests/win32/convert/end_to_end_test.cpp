// One file from the ticked row to the Group 4 output, on both routes.
#include "conversion_fixture.h"

#include <tiffio.h>

namespace {
class EndToEnd : public ConversionTest, public ::testing::WithParamInterface<int> {};

TEST_P(EndToEnd, TickedFileBecomesGroup4TiffWithTheSamePages) {
    ScopedGeneration generation(GetParam());
    const std::string fax = Folder("fax");
    const std::string out = m_root + "\\out";
    WriteFaxFixture(fax + "\\in1.awd", 3, 7);

    WithDialog([&](CConverterDlg& dialog) {
        ShowFolder(dialog, fax, {"in1.awd"});
        TickRow(dialog, 0);
        ::SetDlgItemTextA(dialog.m_hWnd, 1005, out.c_str());
        ASSERT_TRUE(RunBatch(dialog));
        EXPECT_EQ(ResultOf(dialog, 0), "OK");
        EXPECT_EQ(dialog.m_progress.GetPos(), 1);
        EXPECT_TRUE(::IsWindowEnabled(dialog.GetDlgItem(1009)));
        EXPECT_EQ(dialog.m_hWorkerThread, nullptr) << "the ended worker's handle is closed";
    });

    std::vector<uint16_t> compressions;
    const auto output = ReadFaxPages(out + "\\in1.tif", &compressions);
    const auto input = ReadFaxPages(fax + "\\in1.awd");
    ASSERT_EQ(output.size(), 3u);
    EXPECT_TRUE(output == input) << "pixel for pixel";
    for (uint16_t compression : compressions)
        EXPECT_EQ(compression, COMPRESSION_CCITTFAX4);
    EXPECT_TRUE(ListFiles(out, "*.tmp").empty()) << "no scratch file left";
}

INSTANTIATE_TEST_SUITE_P(BothRoutes, EndToEnd, ::testing::Values(7, 3),
                         [](const ::testing::TestParamInfo<int>& param) {
                             return param.param == 7 ? std::string("ConverterProgram")
                                                     : std::string("ImagingControl");
                         });
} // namespace
