// Where the fax viewer program is looked for: Tarnvel.exe's folder, the system folder, the Windows
// folder and the folders of PATH, in that order, and never the current directory.
#include "conversion_fixture.h"

#include "app/environment.h"
#include "convert/converter_program.h"

namespace {
// The current directory for one scope.
struct ScopedCurrentDirectory : ScopedUndo {
    explicit ScopedCurrentDirectory(const std::string& folder)
        : ScopedUndo([previous = Current()] { ::SetCurrentDirectoryA(previous.c_str()); }) {
        EXPECT_TRUE(::SetCurrentDirectoryA(folder.c_str())) << folder;
    }
    static std::string Current() {
        char folder[MAX_PATH] = "";
        ::GetCurrentDirectoryA(MAX_PATH, folder);
        return folder;
    }
};

using ProgramSearch = ConversionTest;

TEST_F(ProgramSearch, TheFirstPlaceThatHoldsItWinsAndTheCurrentDirectoryNeverDoes) {
    // Relative and empty PATH entries, which would be taken from the current directory, come
    // first; a folder with a ';' in its name is quoted.
    const std::string current = Folder("current"), onPath = Folder("on path"), quoted = Folder("quoted;f");
    const ProgramPlaces places{Wide(Folder("tarnvel")).c_str(), Wide(Folder("system")).c_str(),
                               Wide(Folder("windows")).c_str(),
                               Wide(".;current;;" + onPath + ";\"" + quoted + "\"").c_str()};
    const std::vector<std::string> order{Utf8(places.programFolder),
                                         Utf8(places.systemFolder),
                                         Utf8(places.windowsFolder),
                                         onPath,
                                         quoted,
                                         current};
    for (const std::string& folder : order)
        ASSERT_TRUE(WriteText(folder + "\\AWDVSTUB.EXE", "a program"));
    ScopedCurrentDirectory inParent(m_root); // so "current" is one too
    for (size_t i = 0; i + 1 < order.size(); ++i) {
        EXPECT_EQ(Utf8(FindConverterProgram(places)), order[i] + "\\AWDVSTUB.EXE");
        ::DeleteFileA((order[i] + "\\AWDVSTUB.EXE").c_str());
    }
    ScopedCurrentDirectory inCurrent(current);
    EXPECT_TRUE(FindConverterProgram(places).IsEmpty());
}

// Windows XP with no fax viewer program, but one of that name in the folder Tarnvel was started
// from: that one is not run, and the row says where the program belongs. Put there, the program
// runs in its own folder, not in the one Tarnvel was started from.
TEST_F(ProgramSearch, OnXpACopyInTheCurrentDirectoryIsNotRun) {
    ScopedGeneration xp(7);
    ScopedNoProgramOnPath noProgram;
    const std::string saved = Utf8(TarnvelFolder);
    const ScopedUndo restore([&] { SetPath(TarnvelFolder, saved); });
    SetPath(TarnvelFolder, Folder("tarnvel"));
    const std::string fax = Folder("fax"), current = Folder("current");
    WriteFaxFixture(fax + "\\in 1.awd", 2, 5);
    CopyFixture(ProgramFolder() + "\\doubles\\AWDVSTUB.EXE", current + "\\AWDVSTUB.EXE");
    ScopedCurrentDirectory inCurrent(current);
    std::string reason;
    EXPECT_EQ(ConvertFolder(fax, nullptr, [&](HWND dialog) { reason = ResultTipOf(dialog, 0); }),
              (Results{{"in 1.awd", "Fail"}}));
    EXPECT_EQ(reason, "No AWD renderer on this system: put AWDVSTUB.EXE next to Tarnvel.exe (copy it from "
                      "i386\\win9xmig\\fax on a Windows 2000 or XP disc)");
    EXPECT_TRUE(StubLog().empty()) << "the program in the current directory ran";

    // Beside Tarnvel.exe it runs, in its own folder.
    CopyFixture(ProgramFolder() + "\\doubles\\AWDVSTUB.EXE", Utf8(TarnvelFolder) + "\\AWDVSTUB.EXE");
    EXPECT_EQ(ConvertFolder(fax), (Results{{"in 1.awd", "OK"}}));
    EXPECT_EQ(ReadFile(ProcessFolder() + "\\awdvstub-folder.log"), Utf8(TarnvelFolder) + "\n");
}
} // namespace
