// Where the fax viewer program is looked for: Tarnvel.exe's folder, the system folder, the Windows
// folder and the folders of PATH, in that order, and never the current directory.
#include "conversion_fixture.h"

#include "app/environment.h"
#include "convert/converter_program.h"

#include <cstdio>
#include <cstring>

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
    const std::string current = Folder("current");
    ProgramPlaces places;
    places.programFolder = Folder("tarnvel").c_str();
    places.systemFolder = Folder("system").c_str();
    places.windowsFolder = Folder("windows").c_str();
    // Relative and empty entries, which would be taken from the current directory, come first;
    // a folder with a ';' in its name is quoted.
    const std::string onPath = Folder("on path"), quoted = Folder("quoted;folder");
    ASSERT_TRUE(::CreateDirectoryA((current + "\\relative").c_str(), nullptr));
    places.searchPath = (".;relative;;" + onPath + ";\"" + quoted + "\"").c_str();
    const std::vector<std::string> order{places.programFolder.GetString(), places.systemFolder.GetString(),
                                         places.windowsFolder.GetString(), onPath, quoted};
    for (const std::string& folder : order)
        ASSERT_TRUE(WriteText(folder + "\\AWDVSTUB.EXE", "a program"));
    ASSERT_TRUE(WriteText(current + "\\AWDVSTUB.EXE", "a program of that name"));
    ASSERT_TRUE(WriteText(current + "\\relative\\AWDVSTUB.EXE", "another"));
    ScopedCurrentDirectory inCurrent(current);

    for (const std::string& folder : order) {
        EXPECT_EQ(FindConverterProgram(places).GetString(), folder + "\\AWDVSTUB.EXE");
        ::DeleteFileA((folder + "\\AWDVSTUB.EXE").c_str());
    }
    EXPECT_STREQ(FindConverterProgram(places), "");
}

// Windows XP, with no fax viewer program but one of that name in the folder Tarnvel was started
// from: that one is not run, and the row says where the program belongs. Copied beside
// Tarnvel.exe, it renders, with the command line it always had.
TEST_F(ProgramSearch, OnXpACopyInTheCurrentDirectoryIsNotRunAndBesideTarnvelItIs) {
    ScopedGeneration xp(7);
    ScopedNoProgramOnPath noProgram;
    char savedFolder[MAX_PATH];
    std::memcpy(savedFolder, TarnvelFolder, MAX_PATH);
    const ScopedUndo restore([&] { std::memcpy(TarnvelFolder, savedFolder, MAX_PATH); });
    std::snprintf(TarnvelFolder, MAX_PATH, "%s", Folder("tarnvel").c_str());
    const std::string fax = Folder("fax"), current = Folder("current");
    WriteFaxFixture(fax + "\\in 1.awd", 2, 5);
    const std::string standIn = ProgramFolder() + "\\doubles\\AWDVSTUB.EXE";
    CopyFixture(standIn, current + "\\AWDVSTUB.EXE");

    std::string reason;
    {
        ScopedCurrentDirectory inCurrent(current);
        EXPECT_EQ(ConvertFolder(fax, nullptr, [&](HWND dialog) { reason = ResultTipOf(dialog, 0); }),
                  (Results{{"in 1.awd", "Fail"}}));
    }
    EXPECT_EQ(reason, "No AWD renderer on this system: put AWDVSTUB.EXE next to Tarnvel.exe (copy it from "
                      "i386\\win9xmig\\fax on a Windows 2000 or XP disc)");
    EXPECT_TRUE(StubLog().empty()) << "the program in the current directory ran";

    CopyFixture(standIn, std::string(TarnvelFolder) + "\\AWDVSTUB.EXE");
    EXPECT_EQ(ConvertFolder(fax), (Results{{"in 1.awd", "OK"}}));
    EXPECT_EQ(StubLog(),
              std::vector<std::string>{"AWDVSTUB.EXE /c \"" + fax + "\\in 1.awd\" \"" + TempTiffPath + "\""});
}
} // namespace
