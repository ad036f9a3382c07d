// Which names the file list takes: the last three bytes are "awd" in any case, nothing else counts.
#include "ui/folder_listing.h"

#include <gtest/gtest.h>

TEST(AwdFileName, TheLastThreeCharactersDecideInAnyCase) {
    for (const char* name : {"fax.awd", "FAX.AWD", "Fax.Awd", "notes.rawd", "faxawd", "awd", "AwD", ".awd"})
        EXPECT_EQ(IsAwdFileName(name), 1) << name;
    for (const char* name : {"fax.awd.bak", "fax.aw", "awd.txt", "aw", "", "fax.awd ", "fax.aws", "fax.wd"})
        EXPECT_EQ(IsAwdFileName(name), 0) << name;
}

TEST(AwdFileName, LettersOutsideAsciiDoNotMatch) {
    // In a single-byte code page these are three characters that only look alike.
    EXPECT_EQ(IsAwdFileName("fax.\xE1wd"), 0);
    EXPECT_EQ(IsAwdFileName("fax.aw\xF0"), 0);
}
