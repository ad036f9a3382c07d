// Names as the file system holds them: documents and folders named in scripts the running code
// page cannot spell, and a name whose code-page look-alike is another document's, each listed
// under its own name and converted into an output of its own name holding its own pages; and the
// fax viewer program, which reads only the code page, reaching such a document all the same.
#include "conversion_fixture.h"

#include "app/environment.h"
#include "convert/code_page_paths.h"
#include "convert/convert_awd_file.h"
#include "convert/converter_program.h"
#include "framework/file_names.h"
#include "ui/resource.h"

#include <algorithm>

namespace {
// What the code page makes of `name`: a look-alike, or '?' for what it cannot spell.
std::string LookAlike(const std::string& name) {
    return Utf8(files::FromAnsi(files::AnsiLookAlike(Wide(name).c_str())));
}

// A name beyond ASCII that the running code page spells exactly; empty when none of these is.
std::string CodePageName() {
    for (const char* name : {"Café.awd", "ファクス.awd", "Καφέ.awd", "Кафе.awd"})
        if (LookAlike(name) == name)
            return name;
    return std::string();
}

// Where names go through the ANSI calls (Windows 95, 98 and Me) only plain and code-page names
// exist; elsewhere also Cyrillic, Greek and Chinese ones, and "Łódź.awd" beside the document
// under its look-alike ("Lódz.awd" in code page 1252).
std::vector<std::string> DocumentNames() {
    std::vector<std::string> names{"plain.awd"};
    if (!CodePageName().empty())
        names.push_back(CodePageName());
    if (!files::WideNames())
        return names;
    for (const char* name : {"Факс.awd", "Φαξ.awd", "传真.awd", "Łódź.awd"})
        names.push_back(name);
    const std::string twin = LookAlike("Łódź.awd");
    names.push_back(twin.find('?') == std::string::npos ? twin : "Lodz.awd");
    return names;
}

using TrueNames = ConversionTest;

TEST_F(TrueNames, EveryDocumentIsListedAndConvertedUnderItsOwnName) {
    const bool wide = files::WideNames();
    const std::vector<std::string> names = DocumentNames();
    const std::string fax = Folder(wide ? "Факсы" : "fax");
    Results expected;
    for (size_t i = 0; i < names.size(); ++i) {
        WriteFaxFixture(fax + "\\" + names[i], static_cast<int>(i % 3) + 1, static_cast<unsigned>(i) + 1);
        expected[names[i]] = "OK";
    }
    ASSERT_EQ(ListFiles(fax).size(), names.size()) << "two names made one file";
    SetPath(TempTiffPath, Folder(wide ? "Временная" : "temp") + "\\zq4intmp.tif");
    const auto outputOf = [](const std::string& folder, const std::string& name, const char* extension) {
        return folder + "\\" + name.substr(0, name.size() - 4) + extension;
    };
    // The program route, then the imaging control's.
    for (const int generation : {7, 2}) {
        SCOPED_TRACE("generation " + std::to_string(generation));
        const ScopedGeneration route(generation);
        const std::string out = m_root + (wide ? "\\Έξοδος " : "\\out ") + std::to_string(generation);
        const auto showsOut = [&](HWND dialog) { EXPECT_EQ(OutputFolderOf(dialog), out); };
        EXPECT_EQ(ConvertFolder(fax, out.c_str(), showsOut), expected);
        for (const std::string& name : names) {
            const std::vector<FaxPage> pages = ReadFaxPages(outputOf(out, name, ".tif"));
            EXPECT_FALSE(pages.empty()) << name;
            EXPECT_EQ(pages, ReadFaxPages(fax + "\\" + name)) << name << " holds another document's pages";
        }
        EXPECT_EQ(ListFiles(out).size(), names.size()) << "a scratch file was left";
    }
    // The PDF writer opens its files by their names too.
    const std::string out = m_root + (wide ? "\\Έξοδος PDF" : "\\out PDF");
    const auto tickPdf = [](HWND dialog) { ::SendMessageA(::GetDlgItem(dialog, IDC_PDF), BM_CLICK, 0, 0); };
    EXPECT_EQ(ConvertFolder(fax, out.c_str(), nullptr, tickPdf), expected);
    for (const std::string& name : names)
        EXPECT_TRUE(FileExists(outputOf(out, name, ".pdf"))) << name;
    EXPECT_EQ(ListFiles(out).size(), names.size()) << "a scratch file was left";
}

// Stands in for a file system that keeps no short names.
CStringW NoShortPath(const wchar_t*) {
    return CStringW();
}

TEST_F(TrueNames, TheFaxViewerProgramGetsAShortFormOrAPlainCopyOfADocumentOutsideTheCodePage) {
    if (!files::WideNames())
        GTEST_SKIP() << "the file systems of Windows 95, 98 and Me hold only names of the code page";
    // Cyrillic, unless the code page has it (932 has), then Chinese letters it lacks.
    const std::string name = LookAlike("Факс") != "Факс" ? "Факс" : "传真";
    const std::string fax = Folder(name.c_str());
    const std::string source = fax + "\\" + name + ".awd";
    const std::string output = Folder("out") + "\\" + name + ".tif";
    WriteFaxFixture(source, 2, 5);
    ConverterProgram program(Wide(ProgramFolder() + "\\doubles\\AWDVSTUB.EXE").c_str());
    const auto convert = [&] {
        ConversionOutcome outcome;
        StopRequest stop;
        const int result = ConvertAwdFile(program, TempTiffPath, CopyOptions{6, 75, 0, -1, 0},
                                          Wide(source).c_str(), Wide(output).c_str(), stop, outcome);
        if (result == kConverted) {
            EXPECT_EQ(ReadFaxPages(output), ReadFaxPages(source));
        }
        ::DeleteFileW(Wide(output).c_str());
        return result;
    };

    EXPECT_EQ(convert(), kConverted);
    const auto shortForm = StubLog();
    ASSERT_EQ(shortForm.size(), 1u);
    const std::string head = "AWDVSTUB.EXE /c \"";
    const std::string handed =
        shortForm[0].substr(head.size(), shortForm[0].find('"', head.size()) - head.size());
    EXPECT_NE(handed.find('~'), std::string::npos) << shortForm[0];
    EXPECT_EQ(handed.find('?'), std::string::npos) << shortForm[0];
    ClearStandInLogs();

    const ScopedUndo restore([] { g_shortPathOf = &files::ShortPath; });
    g_shortPathOf = &NoShortPath;
    EXPECT_EQ(convert(), kConverted);
    const auto copied = StubLog();
    ASSERT_EQ(copied.size(), 1u);
    const std::string temp = ProcessFolder() + "\\tnv";
    EXPECT_EQ(copied[0].find(head + temp), 0u) << copied[0];
    EXPECT_EQ(ListFiles(ProcessFolder(), "tnv*"), std::vector<std::string>{}) << "the copy was left";

    // Neither the temporary file's path nor its folder's short form is in the code page.
    SetPath(TempTiffPath, Folder((name + " temp").c_str()) + "\\zq4intmp.tif");
    EXPECT_EQ(convert(), kTempPathNotInCodePage);
}
} // namespace
