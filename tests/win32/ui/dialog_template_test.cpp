// The main dialog's template, read from the program's resources byte by byte: the one check of
// what it holds (the layout tests check what initialisation makes of it).
#include "ui/resource.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

namespace {
// Reads the variable parts of a DLGTEMPLATEEX: strings or ordinals in UTF-16.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* data) : m_p(data) {}
    WORD Word() {
        WORD w;
        std::memcpy(&w, m_p, 2);
        m_p += 2;
        return w;
    }
    DWORD Dword() {
        DWORD d;
        std::memcpy(&d, m_p, 4);
        m_p += 4;
        return d;
    }
    short Short() { return static_cast<short>(Word()); }
    std::string String() {
        std::string s;
        for (WORD c = Word(); c; c = Word())
            s += static_cast<char>(c);
        return s;
    }
    // A class or menu: "#n" for an ordinal, the name otherwise, "" for none.
    std::string NameOrOrdinal() {
        WORD first;
        std::memcpy(&first, m_p, 2);
        if (first == 0) {
            m_p += 2;
            return "";
        }
        if (first == 0xFFFF) {
            m_p += 2;
            return "#" + std::to_string(Word());
        }
        return String();
    }
    void AlignDword(const BYTE* base) {
        while ((m_p - base) % 4)
            ++m_p;
    }
    void Skip(size_t bytes) { m_p += bytes; }

private:
    const BYTE* m_p;
};

struct Item {
    DWORD style;
    DWORD exStyle;
    RECT rect; // x, y, width, height
    DWORD id;
    std::string windowClass;
    std::string text;
};
} // namespace

TEST(MainDialogTemplate, MatchesTheLayoutExactly) {
    HRSRC found = ::FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_TARNVEL_DIALOG), RT_DIALOG);
    ASSERT_NE(nullptr, found);
    const auto* base = static_cast<const BYTE*>(::LockResource(::LoadResource(nullptr, found)));
    TemplateReader r(base);
    ASSERT_EQ(1, r.Word());
    ASSERT_EQ(0xFFFF, r.Word()) << "an extended template";
    r.Dword(); // help id
    EXPECT_EQ(0x00040000u, r.Dword()) << "WS_EX_APPWINDOW only";
    EXPECT_EQ(0x90CA00C0u, r.Dword());
    const WORD count = r.Word();
    const short x = r.Short(), y = r.Short(), cx = r.Short(), cy = r.Short();
    EXPECT_EQ(0, x);
    EXPECT_EQ(0, y);
    EXPECT_EQ(370, cx);
    EXPECT_EQ(221, cy);
    EXPECT_EQ("", r.NameOrOrdinal()) << "menu";
    EXPECT_EQ("", r.NameOrOrdinal()) << "class";
    EXPECT_EQ("Tarnvel", r.String());
    EXPECT_EQ(8, r.Word()) << "points";
    r.Word();  // weight
    r.Skip(2); // italic, charset
    EXPECT_EQ("MS Sans Serif", r.String());

    std::vector<Item> items;
    for (WORD i = 0; i < count; ++i) {
        r.AlignDword(base);
        Item item{};
        r.Dword(); // help id
        item.exStyle = r.Dword();
        item.style = r.Dword();
        item.rect.left = r.Short();
        item.rect.top = r.Short();
        item.rect.right = r.Short();
        item.rect.bottom = r.Short();
        item.id = r.Dword();
        item.windowClass = r.NameOrOrdinal();
        item.text = r.NameOrOrdinal();
        r.Skip(r.Word());
        items.push_back(item);
    }

    const DWORD child = WS_CHILD | WS_VISIBLE;
    const Item expected[] = {
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
    ASSERT_EQ(sizeof(expected) / sizeof(expected[0]), items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        const Item& e = expected[i];
        const Item& a = items[i];
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
