// Which names the file list takes: the last three characters are "awd" in any case, nothing else
// counts.
#include "ui/folder_listing.h"

#include <gtest/gtest.h>

TEST(AwdFileName, TheLastThreeCharactersDecideInAnyCase) {
    for (const wchar_t* name :
         {L"fax.awd", L"FAX.AWD", L"Fax.Awd", L"notes.rawd", L"faxawd", L"awd", L"AwD", L".awd", L"Факс.awd"})
        EXPECT_EQ(IsAwdFileName(name), 1) << name;
    for (const wchar_t* name :
         {L"fax.awd.bak", L"fax.aw", L"awd.txt", L"aw", L"", L"fax.awd ", L"fax.aws", L"fax.wd"})
        EXPECT_EQ(IsAwdFileName(name), 0) << name;
}

TEST(AwdFileName, LettersOutsideAsciiDoNotMatch) {
    // Characters that only look alike: an accented a, a Cyrillic а, a full-width ｄ.
    for (const wchar_t* name : {L"fax.\u00E1wd", L"fax.\u0430wd", L"fax.aw\uFF44"})
        EXPECT_EQ(IsAwdFileName(name), 0) << name;
}
