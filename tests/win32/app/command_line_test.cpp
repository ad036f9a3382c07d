// The command line as scripts, shortcuts, Send To and a drop onto Tarnvel.exe write it.
#include "app/command_line.h"
#include "framework/win_app.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// What was asked, in one line: the mode, each field given, and what is wrong.
std::string Asked(const wchar_t* arguments) {
    const CommandLine asked = ParseCommandLine(arguments);
    const char* modes[] = {"window", "convert", "usage"};
    std::string text = modes[static_cast<int>(asked.mode)];
    const std::pair<const char*, const CStringW*> fields[] = {{" folder=", &asked.folder},
                                                              {" out=", &asked.output},
                                                              {" report=", &asked.report},
                                                              {" error=", &asked.error}};
    for (const auto& [name, value] : fields)
        if (!value->IsEmpty())
            text += name + Utf8(*value);
    const std::pair<const char*, bool> flags[] = {
        {" pdf", asked.pdf}, {" subfolders", asked.subfolders}, {" skip", asked.skip}};
    for (const auto& [name, set] : flags)
        if (set)
            text += name;
    return text;
}
} // namespace

TEST(CommandLine, ParsesWhatScriptsShortcutsAndExplorerWrite) {
    const std::pair<const wchar_t*, std::string> lines[] = {
        {L"", "window"},
        {L"  \"C:\\faxes\\2019 March\"  ", "window folder=C:\\faxes\\2019 March"},
        {L"\"C:\\\"", "window folder=C:\\"},
        {L"\"C:\\Факсы\\2019\"", "window folder=C:\\Факсы\\2019"},
        {L"/convert \"C:\\fax archive\" /OUT D:\\out -pdf /Subfolders -SKIP /report \"D:\\re port.txt\"",
         "convert folder=C:\\fax archive out=D:\\out report=D:\\re port.txt pdf subfolders skip"},
        {L"C:\\faxes -Convert", "convert folder=C:\\faxes"},
        {L"/convert C:\\faxes /x", "convert folder=C:\\faxes error=Unknown option: /x"},
        {L"/convert C:\\faxes /out", "convert folder=C:\\faxes error=/out needs a folder after it."},
        {L"/convert C:\\faxes /report /pdf", "convert folder=C:\\faxes error=/report needs a file after it."},
        {L"/convert C:\\faxes /out \"\"", "convert folder=C:\\faxes error=/out needs a folder after it."},
        {L"/convert C:\\faxes /out D:\\a /out D:\\b",
         "convert folder=C:\\faxes out=D:\\a error=/out was given twice."},
        {L"/convert C:\\fax archive",
         "convert folder=C:\\fax error=Two folders were given, \"C:\\fax\" and \"archive\": put a path with "
         "blanks in quotes."},
        {L"/convert /pdf", "convert error=/convert needs the folder to convert. pdf"},
        {L"C:\\faxes /out D:\\out", "window folder=C:\\faxes out=D:\\out error=/out is only for /convert."},
        {L"C:\\faxes -PDF", "window folder=C:\\faxes error=/pdf is only for /convert. pdf"},
        {L"/convert C:\\faxes /oops /?", "usage"},
        {L"-?", "usage"},
    };
    for (const auto& [line, asked] : lines)
        EXPECT_EQ(Asked(line), asked) << Utf8(line);
}

TEST(CommandLine, TheProgramsOwnNameIsSkipped) {
    EXPECT_EQ(Utf8(SkipProgramName(L"\"C:\\Program Files\\Tarnvel.exe\" /convert \"C:\\a b\"")),
              "/convert \"C:\\a b\"");
    EXPECT_EQ(Utf8(SkipProgramName(L"Tarnvel.exe\t C:\\faxes")), "C:\\faxes");
    EXPECT_EQ(Utf8(SkipProgramName(L"\"C:\\Tarnvel.exe\"")), "");
}
