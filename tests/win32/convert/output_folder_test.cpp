// Where Go puts the files: the typed folder, created if need be, or else the listed folder.
#include "conversion_fixture.h"

#include "convert/output_path.h"
#include "support/scratch_drive.h"

namespace {
using OutputFolder = ConversionTest;

TEST_F(OutputFolder, TheTypedFolderIsCreatedOrElseTheListedFolderIsUsed) {
    ScopedGeneration generation(7);
    const std::string fax = Folder("fax");
    // A name of this process's own: the drive root is shared.
    const std::string name = ScratchDrive::Own(".awd");
    const std::string output = ScratchDrive::Own(".tif");
    WriteFaxFixture(fax + "\\" + name, 2, 11);
    const ScratchDrive drive(Folder("drive"));
    ASSERT_FALSE(drive.Root().empty()) << "no drive root to write";
    const struct {
        const char* what;
        std::string typed;
        std::string used; // the field afterwards, where the output goes
    } cases[] = {
        {"missing levels", m_root + "\\new\\deeper", m_root + "\\new\\deeper"},
        {"an uncreatable folder", "Q:\\no-such-drive\\out", fax},
        {"an empty field", "", fax},
        {"a relative folder", "tif\\done", fax + "\\tif\\done"},
        {"a trailing backslash", m_root + "\\trail\\", m_root + "\\trail"},
        {"a drive root", drive.Root(), drive.Root()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ConvertFolder(fax, c.typed.c_str(),
                                [&](HWND dialog) { EXPECT_EQ(OutputFolderOf(dialog), c.used); }),
                  (Results{{name, "OK"}}));
        // A drive root's path keeps its backslash: "T:\" and the name give "T:\\name".
        EXPECT_EQ(ReadFaxPages(c.used + "\\" + output), ReadFaxPages(fax + "\\" + name));
    }
    // The same file again, now with other pages, replaces its output.
    WriteFaxFixture(fax + "\\" + name, 1, 99);
    EXPECT_EQ(ConvertFolder(fax, ""), (Results{{name, "OK"}}));
    EXPECT_EQ(ReadFaxPages(fax + "\\" + output), ReadFaxPages(fax + "\\" + name));
    ::DeleteFileA((drive.Root() + output).c_str());
}

TEST_F(OutputFolder, MakeFolderPathLeavesTheCurrentDirectoryAlone) {
    char before[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, before);
    const std::string deeper = m_root + "\\a\\b\\c";
    EXPECT_TRUE(MakeFolderPath(Wide(deeper).c_str()));
    EXPECT_TRUE(MakeFolderPath(Wide(deeper).c_str())) << "an existing folder";
    EXPECT_TRUE(FileExists(deeper));
    EXPECT_FALSE(MakeFolderPath(L"Q:\\no-such-drive"));
    char after[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_STREQ(before, after);
}
} // namespace
