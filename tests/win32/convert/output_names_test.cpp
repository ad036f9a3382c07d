// How output files are named and where the output folder ends up.
#include "convert/output_path.h"

#include <gtest/gtest.h>

#include <string>

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
} // namespace
