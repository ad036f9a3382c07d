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
    UINT RunCommand(const char* commandLine, UINT showCommand) override {
        if (!recordCommands)
            return CLinkLabel::RunCommand(commandLine, showCommand);
        commands.push_back(commandLine);
        return commandResult;
    }
};

// The tooltip text of the link's tool 1.
inline std::string TipText(CLinkLabel& link) {
    char text[1024] = "";
    TTTOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.hwnd = link.m_hWnd;
    ti.uId = 1;
    ti.lpszText = text;
    ::SendMessageA(link.m_tip.m_hWnd, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
    return text;
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
