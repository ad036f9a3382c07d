// Placing a finished output where Windows 95, 98 and Me have only MoveFile.
#include "conversion_fixture.h"

#include "convert/output_path.h"

namespace {
TEST_F(ConversionTest, PlacingByRenamingNeverLosesTheEarlierOutput) {
    const std::string out = Folder("out");
    const std::string output = out + "\\a.tif";
    WriteText(output, "earlier");
    EXPECT_FALSE(PlaceOutputByRenaming(Wide(out + "\\gone.tmp").c_str(), Wide(output).c_str()));
    EXPECT_EQ(ReadFile(output), "earlier");
    EXPECT_EQ(ListFiles(out), std::vector<std::string>{"a.tif"});

    WriteText(out + "\\new.tmp", "new");
    EXPECT_TRUE(PlaceOutputByRenaming(Wide(out + "\\new.tmp").c_str(), Wide(output).c_str()));
    EXPECT_EQ(ReadFile(output), "new");
    EXPECT_EQ(ListFiles(out), std::vector<std::string>{"a.tif"});
}
} // namespace
