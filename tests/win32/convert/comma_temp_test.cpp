// A temporary folder whose path holds a comma, which the copier would read as an image list.
#include "conversion_fixture.h"

#include "app/environment.h"

#include <cstring>

namespace {
class CommaInTemporaryFolder : public ConversionTest, public ::testing::WithParamInterface<int> {};

TEST_P(CommaInTemporaryFolder, FilesStillConvert) {
    ScopedGeneration generation(GetParam());
    const std::string fax = Folder("fax");
    const std::string temp = Folder("temp,1");
    WriteFaxFixture(fax + "\\in.awd", 2, 6);
    char saved[MAX_PATH];
    std::memcpy(saved, TempTiffPath, MAX_PATH);
    std::snprintf(TempTiffPath, MAX_PATH, "%s\\zq4intmp.tif", temp.c_str());
    WithDialog([&](CConverterDlg& dialog) {
        ShowFolder(dialog, fax, {"in.awd"});
        TickRow(dialog, 0);
        ASSERT_TRUE(RunBatch(dialog));
        EXPECT_EQ(ResultOf(dialog, 0), "OK");
    });
    std::memcpy(TempTiffPath, saved, MAX_PATH);
    EXPECT_EQ(ReadFaxPages(fax + "\\in.tif"), ReadFaxPages(fax + "\\in.awd"));
}

INSTANTIATE_TEST_SUITE_P(BothRoutes, CommaInTemporaryFolder, ::testing::Values(7, 3),
                         [](const ::testing::TestParamInfo<int>& param) {
                             return param.param == 7 ? std::string("ConverterProgram")
                                                     : std::string("ImagingControl");
                         });
} // namespace
