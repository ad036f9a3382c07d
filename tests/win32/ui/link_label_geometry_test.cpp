// The link control once attached: its text and address, its underlined font, its tooltip, and
// its size fitted to the text for each alignment.
#include "link_label_test_support.h"
#include "ui_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
constexpr RECT kPlace{20, 30, 220, 70}; // 200 x 40, larger than any text below

struct Fitted {
    RECT rect;
    SIZE text;
};

// Attaches a link to a static of `style` at `place` and reports where it ended up and how large
// its text is in the link font.
Fitted AttachAndMeasure(HostWindow& host, TestLink& link, DWORD style, const RECT& place, const char* text) {
    link.SubclassWindow(host.AddStatic(text, style, place, 1011));
    const auto font = reinterpret_cast<HFONT>(link.SendMessage(WM_GETFONT));
    return {RectInParent(link.m_hWnd), TextExtent(font, text)};
}

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}
} // namespace

TEST(LinkLabelGeometry, LeftAlignedKeepsItsTopLeftCorner) {
    HostWindow host;
    TestLink link;
    const Fitted fitted = AttachAndMeasure(host, link, SS_LEFT, kPlace, "Homepage");
    EXPECT_EQ(fitted.rect.left, kPlace.left);
    EXPECT_EQ(fitted.rect.top, kPlace.top);
    EXPECT_EQ(Width(fitted.rect), fitted.text.cx);
    EXPECT_EQ(Height(fitted.rect), fitted.text.cy);
    EXPECT_LT(Width(fitted.rect), Width(kPlace));
}

TEST(LinkLabelGeometry, CentredKeepsItsHorizontalCentre) {
    HostWindow host;
    TestLink link;
    const Fitted fitted = AttachAndMeasure(host, link, SS_CENTER, kPlace, "Homepage");
    EXPECT_LE(std::abs((fitted.rect.left + fitted.rect.right) - (kPlace.left + kPlace.right)), 1);
    EXPECT_LE(std::abs(Width(fitted.rect) - fitted.text.cx), 1);
    EXPECT_EQ(fitted.rect.top, kPlace.top);
    EXPECT_EQ(Height(fitted.rect), fitted.text.cy);
}

TEST(LinkLabelGeometry, RightAlignedKeepsItsRightEdge) {
    HostWindow host;
    TestLink link;
    const Fitted fitted = AttachAndMeasure(host, link, SS_RIGHT, kPlace, "Homepage");
    EXPECT_EQ(fitted.rect.right, kPlace.right);
    EXPECT_EQ(Width(fitted.rect), fitted.text.cx);
    EXPECT_EQ(fitted.rect.top, kPlace.top);
}

TEST(LinkLabelGeometry, VerticallyCentredKeepsItsVerticalCentre) {
    HostWindow host;
    TestLink link;
    const Fitted fitted = AttachAndMeasure(host, link, SS_CENTERIMAGE, kPlace, "Homepage");
    EXPECT_LE(std::abs((fitted.rect.top + fitted.rect.bottom) - (kPlace.top + kPlace.bottom)), 1);
    EXPECT_LE(std::abs(Height(fitted.rect) - fitted.text.cy), 1);
    EXPECT_EQ(fitted.rect.left, kPlace.left);
}

TEST(LinkLabelGeometry, GrowsAroundItsCentreWhenTheTextIsLarger) {
    HostWindow host;
    TestLink link;
    const RECT narrow{100, 30, 110, 34};
    const Fitted fitted =
        AttachAndMeasure(host, link, SS_CENTER | SS_CENTERIMAGE, narrow, "a rather longer link text");
    EXPECT_GT(Width(fitted.rect), Width(narrow));
    EXPECT_LE(std::abs((fitted.rect.left + fitted.rect.right) - (narrow.left + narrow.right)), 1);
    EXPECT_LE(std::abs((fitted.rect.top + fitted.rect.bottom) - (narrow.top + narrow.bottom)), 1);
}

TEST(LinkLabelGeometry, StaysAsPlacedWhenNotFitting) {
    HostWindow host;
    TestLink link;
    link.m_bFitToText = FALSE;
    const Fitted fitted = AttachAndMeasure(host, link, SS_LEFT, kPlace, "Homepage");
    EXPECT_TRUE(::EqualRect(&fitted.rect, &kPlace));
}

TEST(LinkLabelAttach, TextStaysWhileTheAddressChangesAndTheTooltipShowsTheAddress) {
    HostWindow host;
    TestLink link;
    link.SubclassWindow(host.AddStatic("Homepage", SS_LEFT, kPlace, 1011));
    EXPECT_EQ(link.m_strAddress, "Homepage"); // until an address is given, the text is the address
    EXPECT_EQ(TipText(link.m_hWnd), "Homepage");
    EXPECT_TRUE(link.GetStyle() & SS_NOTIFY);

    link.SetLinkAddress("http://example.invalid/page");
    EXPECT_EQ(TextOf(link.m_hWnd), "Homepage");
    EXPECT_EQ(link.m_strAddress, "http://example.invalid/page");
    EXPECT_EQ(TipText(link.m_hWnd), "http://example.invalid/page");
}

TEST(LinkLabelAttach, EmptyStaticShowsTheAddressGivenBeforehand) {
    HostWindow host;
    TestLink link;
    link.SetLinkAddress("C:\\docs\\index.htm");
    link.SubclassWindow(host.AddStatic("", SS_LEFT, kPlace, 1011));
    EXPECT_EQ(TextOf(link.m_hWnd), "C:\\docs\\index.htm");
    EXPECT_EQ(TipText(link.m_hWnd), "C:\\docs\\index.htm");
    const SIZE text = TextExtent(link.m_fontLink, "C:\\docs\\index.htm");
    EXPECT_EQ(Width(RectInParent(link.m_hWnd)), text.cx);
}

TEST(LinkLabelAttach, FontIsTheStaticsOwnUnderlined) {
    HostWindow host;
    TestLink link;
    link.SubclassWindow(host.AddStatic("Homepage", SS_LEFT, kPlace, 1011));
    const auto font = reinterpret_cast<HFONT>(link.SendMessage(WM_GETFONT));
    EXPECT_EQ(font, link.m_fontLink.GetSafeHandle());
    LOGFONTA linkFont{};
    LOGFONTA ownFont{};
    ASSERT_TRUE(::GetObjectA(font, sizeof(linkFont), &linkFont));
    ASSERT_TRUE(::GetObjectA(host.font(), sizeof(ownFont), &ownFont));
    EXPECT_EQ(linkFont.lfUnderline, 1);
    EXPECT_STREQ(linkFont.lfFaceName, ownFont.lfFaceName);
    EXPECT_EQ(linkFont.lfHeight, ownFont.lfHeight);
}

TEST(LinkLabelAttach, StaticWithoutFontGetsTheSystemFontUnderlined) {
    HostWindow host;
    TestLink link;
    link.SubclassWindow(host.AddStatic("Homepage", SS_LEFT, kPlace, 1011, false));
    ASSERT_NE(link.m_fontLink.GetSafeHandle(), nullptr);
    LOGFONTA linkFont{};
    LOGFONTA systemFont{};
    ASSERT_TRUE(::GetObjectA(link.m_fontLink, sizeof(linkFont), &linkFont));
    ASSERT_TRUE(::GetObjectA(::GetStockObject(SYSTEM_FONT), sizeof(systemFont), &systemFont));
    EXPECT_EQ(linkFont.lfUnderline, 1);
    EXPECT_STREQ(linkFont.lfFaceName, systemFont.lfFaceName);
}

TEST(LinkLabelAttach, TooltipCoversTheFittedControl) {
    HostWindow host;
    TestLink link;
    link.SubclassWindow(host.AddStatic("Homepage", SS_RIGHT, kPlace, 1011));
    TTTOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.hwnd = link.m_hWnd;
    ti.uId = 1;
    ASSERT_TRUE(::SendMessageA(link.m_tip.m_hWnd, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti)));
    RECT client;
    link.GetClientRect(&client);
    EXPECT_TRUE(::EqualRect(&ti.rect, &client));
}
