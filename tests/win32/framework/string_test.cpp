// The narrow string and string-array types.
#include "framework/cstring.h"

#include <gtest/gtest.h>

#include <mbctype.h>

TEST(CStringType, SearchesFollowTheMultibyteCodePage) {
    // In Shift-JIS, 0x83 0x5C is one character whose second byte is a backslash.
    ASSERT_EQ(0, _setmbcp(932));
    const CString path("C:\\\x83\x5C");
    EXPECT_EQ(2, path.ReverseFind('\\'));
    EXPECT_EQ(-1, path.Find('\\', 3));
    EXPECT_EQ(2, path.Find('\\'));
    _setmbcp(_MB_CP_ANSI);
    EXPECT_EQ(-1, CString("abc").Find('\\'));
    EXPECT_EQ(3, CString("a\\b\\c").Find("\\c"));
}

TEST(CStringType, PiecesStayWithinTheString) {
    const CString name("in1.awd");
    EXPECT_STREQ("in1", name.Left(3));
    EXPECT_STREQ("awd", name.Right(3));
    EXPECT_STREQ("awd", name.Mid(4));
    EXPECT_STREQ("", name.Mid(40));
    EXPECT_STREQ("in1.awd", name.Right(70));
    EXPECT_STREQ("", name.Left(-1));
    EXPECT_STREQ("in", name.Mid(-3, 2));
}

TEST(CStringType, FormatAndBuffers) {
    CString path;
    path.Format("%s\\%s", "C:\\", "fax");
    EXPECT_STREQ("C:\\\\fax", path);
    CString big;
    big.Format("%0600d", 7);
    EXPECT_EQ(600, big.GetLength());

    CString text;
    char* buffer = text.GetBuffer(MAX_PATH);
    lstrcpyA(buffer, "C:\\TEMP\\");
    text.ReleaseBuffer();
    EXPECT_EQ(8, text.GetLength());
    text += "zq4intmp.tif";
    EXPECT_TRUE(text == "C:\\TEMP\\zq4intmp.tif");
}

TEST(CStringArrayType, GrowsAndEmpties) {
    CStringArray names;
    EXPECT_EQ(0, names.Add("a.awd"));
    EXPECT_EQ(1, names.Add("b.awd"));
    names.SetAt(0, "c.awd");
    EXPECT_STREQ("c.awd", names[0]);
    EXPECT_STREQ("b.awd", names.GetAt(1));
    EXPECT_EQ(2, names.GetSize());
    names.RemoveAll();
    EXPECT_TRUE(names.IsEmpty());
}
