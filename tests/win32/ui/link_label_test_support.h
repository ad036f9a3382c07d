// A link control with its internal steps opened up for the tests, and its command start
// recorded instead of run.
#pragma once

#include "ui/link_label.h"

#include <cstring>
#include <string>
#include <vector>

class TestLink : public CLinkLabel {
public:
    using CLinkLabel::CtlColor;
    using CLinkLabel::FitToText;
    using CLinkLabel::OpenAddress;
    using CLinkLabel::ShowOpenError;

    // When set, the registered command is recorded and `commandResult` returned instead of running it.
    bool recordCommands = false;
    UINT commandResult = 33;
    std::vector<std::string> commands;

protected:
    UINT RunCommand(const char* command, const char* address, UINT showCommand) override {
        if (!recordCommands)
            return CLinkLabel::RunCommand(command, address, showCommand);
        commands.push_back(std::string(command) + " " + address);
        return commandResult;
    }
};

inline TTTOOLINFOA LinkTool(HWND link, char* text) {
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = link;
    tool.uId = 1;
    tool.lpszText = text;
    return tool;
}

// Finds the tooltip that has the link (in `search`) as its tool 1.
inline BOOL CALLBACK FindLinksTooltip(HWND window, LPARAM search) {
    auto* found = reinterpret_cast<HWND*>(search);
    char className[32] = "";
    ::GetClassNameA(window, className, sizeof(className));
    TTTOOLINFOA tool = LinkTool(*found, nullptr);
    if (std::strcmp(className, TOOLTIPS_CLASSA) != 0 ||
        !::SendMessageA(window, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)))
        return TRUE;
    *found = window;
    return FALSE;
}

// What the link's tooltip says of it.
inline std::string TipText(HWND link) {
    HWND tip = link;
    ::EnumThreadWindows(::GetWindowThreadProcessId(link, nullptr), &FindLinksTooltip,
                        reinterpret_cast<LPARAM>(&tip));
    char text[1024] = "";
    TTTOOLINFOA tool = LinkTool(link, text);
    if (tip != link)
        ::SendMessageA(tip, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    return text;
}

struct LinkColours {
    COLORREF text;
    int backgroundMode;
    HBRUSH brush;
};
constexpr COLORREF kUnvisitedLinkColour = RGB(0, 0, 238);

// What the link answers when its parent is about to paint it.
inline LinkColours AskColours(HWND link) {
    HDC dc = ::GetDC(link);
    ::SetTextColor(dc, RGB(1, 2, 3));
    ::SetBkMode(dc, OPAQUE);
    const auto brush = reinterpret_cast<HBRUSH>(::SendMessageA(
        ::GetParent(link), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link)));
    LinkColours colours{::GetTextColor(dc), ::GetBkMode(dc), brush};
    ::ReleaseDC(link, dc);
    return colours;
}

// The extent of `text` in `font`.
inline SIZE TextExtent(HFONT font, const char* text) {
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ previous = ::SelectObject(dc, font);
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    ::SelectObject(dc, previous);
    ::ReleaseDC(nullptr, dc);
    return size;
}
