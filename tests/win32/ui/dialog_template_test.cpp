// The main dialog's template, read from the program's resources byte by byte: the one place
// that checks what the template holds (the layout tests check where the controls end up).
#include "ui/resource.h"
#include "win32/ui/dialog_template.h"

#include <gtest/gtest.h>

#include <commctrl.h>

TEST(MainDialogTemplate, MatchesTheLayoutExactly) {
    const DialogTemplate t = ReadDialogTemplate(IDD_TARNVEL_DIALOG);
    ASSERT_TRUE(t.extended) << "an extended template";
    EXPECT_EQ(0x00040000u, t.exStyle) << "WS_EX_APPWINDOW only";
    EXPECT_EQ(0x90CA00C0u, t.style);
    EXPECT_EQ(0, t.rect.left);
    EXPECT_EQ(0, t.rect.top);
    EXPECT_EQ(370, t.rect.right);
    EXPECT_EQ(221, t.rect.bottom);
    EXPECT_EQ("", t.menu);
    EXPECT_EQ("", t.windowClass);
    EXPECT_EQ("Tarnvel", t.caption);
    EXPECT_EQ(8, t.points);
    EXPECT_EQ("MS Sans Serif", t.font);

    const DWORD child = WS_CHILD | WS_VISIBLE;
    const TemplateItem expected[] = {
        {child | WS_BORDER | WS_TABSTOP | LVS_REPORT, 0, {145, 25, 220, 177}, 1001, "SysListView32", "List2"},
        {child | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, {40, 7, 98, 14}, 1005, "EDIT", ""},
        {child | WS_BORDER, 0, {3, 204, 363, 14}, 1006, "msctls_progress32", "Progress1"},
        {child | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
         0,
         {4, 25, 139, 177},
         1007,
         "SysTreeView32",
         "Tree1"},
        {child | WS_TABSTOP | BS_AUTOCHECKBOX, 0, {145, 7, 56, 14}, 1008, "BUTTON", "Select &All"},
        {child | WS_TABSTOP | BS_PUSHBUTTON, 0, {242, 7, 38, 14}, 1009, "BUTTON", "&Go"},
        {child | WS_TABSTOP | BS_PUSHBUTTON, 0, {4, 7, 35, 14}, 1003, "BUTTON", "Save &Dir"},
        {child | WS_TABSTOP | BS_PUSHBUTTON, 0, {326, 7, 38, 14}, 1012, "BUTTON", "A&bout"},
    };
    ASSERT_EQ(sizeof(expected) / sizeof(expected[0]), t.items.size());
    for (size_t i = 0; i < t.items.size(); ++i) {
        const TemplateItem& e = expected[i];
        const TemplateItem& a = t.items[i];
        SCOPED_TRACE("control " + std::to_string(e.id));
        EXPECT_EQ(e.id, a.id) << "template (tab) order";
        EXPECT_EQ(e.style, a.style);
        EXPECT_EQ(e.exStyle, a.exStyle);
        EXPECT_EQ(e.rect.left, a.rect.left);
        EXPECT_EQ(e.rect.top, a.rect.top);
        EXPECT_EQ(e.rect.right, a.rect.right);
        EXPECT_EQ(e.rect.bottom, a.rect.bottom);
        // The resource compiler stores the predefined classes as ordinals.
        const std::string ordinal = e.windowClass == "BUTTON" ? "#128"
                                    : e.windowClass == "EDIT" ? "#129"
                                                              : "";
        EXPECT_TRUE(lstrcmpiA(a.windowClass.c_str(), e.windowClass.c_str()) == 0 || a.windowClass == ordinal)
            << a.windowClass;
        EXPECT_EQ(e.text, a.text);
    }
}
