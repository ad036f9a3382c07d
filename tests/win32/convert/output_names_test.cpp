// How output files are named and where the output folder ends up.
#include "convert/output_path.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string Output(const char* folder, const char* name) {
    CStringW path;
    return MakeOutputPath(path, Wide(folder).c_str(), Wide(name).c_str()) ? Utf8(path) : "(does not fit)";
}

std::string Resolved(const std::string& typed, const char* source) {
    return Utf8(ResolveOutputFolder(Wide(typed).c_str(), Wide(source).c_str()));
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
    CStringW path(L"x");
    const std::wstring folder = L"C:\\" + std::wstring(240, L'f');
    EXPECT_FALSE(MakeOutputPath(path, folder.c_str(), L"a-name-of-twenty.awd"));
    EXPECT_TRUE(path.IsEmpty());
    path = L"x";
    EXPECT_FALSE(JoinPath(path, folder.c_str(), L"a-name-of-twenty.awd"));
    EXPECT_TRUE(path.IsEmpty());
    // 3 + 240 + 1 + 15 = 259 characters: the longest that fits.
    EXPECT_TRUE(JoinPath(path, folder.c_str(), L"fifteen-chars.x"));
    EXPECT_EQ(path.GetLength(), 259);
}

TEST(OutputNaming, TypedFoldersAreMadeAbsoluteAndPlain) {
    EXPECT_EQ(Resolved("out", "C:\\fax"), "C:\\fax\\out");
    EXPECT_EQ(Resolved("..\\tif", "C:\\fax\\in"), "C:\\fax\\tif");
    EXPECT_EQ(Resolved("C:\\new\\deeper\\", "C:\\fax"), "C:\\new\\deeper");
    EXPECT_EQ(Resolved("C:\\new\\\\", ""), "C:\\new");
    EXPECT_EQ(Resolved("C:\\", "C:\\fax"), "C:\\");
    EXPECT_EQ(Resolved("", "C:\\fax"), "");
    EXPECT_EQ(Resolved("C:\\" + std::string(300, 'x'), ""), "");
}
} // namespace
