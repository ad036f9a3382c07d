#include "ui/link_label.h"

#include "framework/dc.h"
#include "framework/handle.h"
#include "framework/reg_key.h"
#include "framework/win_app.h"

#include <shellapi.h>

#include <mbstring.h>

#include <cstring>

namespace {
// The fallback's command line: the registered web-page command, a blank and the address.
constexpr size_t kCommandSize = 520;
// The hand cursor in the help program's resources.
constexpr WORD kHandCursorId = 106;
constexpr UINT kRedrawNow = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE;

const char* OpenErrorText(int code) {
    switch (code) {
    case 0:
        return "The operating system is out\nof memory or resources.";
    case SE_ERR_FNF:
        return "The specified file was not found.";
    case SE_ERR_PNF:
        return "The specified path was not found.";
    case SE_ERR_ACCESSDENIED:
        return "The operating system denied\naccess to the specified file.";
    case SE_ERR_OOM:
        return "There was not enough memory to complete the operation.";
    case ERROR_BAD_FORMAT:
        return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case SE_ERR_SHARE:
        return "A sharing violation occurred. ";
    case SE_ERR_ASSOCINCOMPLETE:
        return "The filename association is\nincomplete or invalid.";
    case SE_ERR_DDETIMEOUT:
        return "The DDE transaction could not\nbe completed because the request timed out.";
    case SE_ERR_DDEFAIL:
        return "The DDE transaction failed.";
    case SE_ERR_DDEBUSY:
        return "The DDE transaction could not\nbe completed because other DDE transactions\nwere being "
               "processed.";
    case SE_ERR_NOASSOC:
        return "There is no application associated\nwith the given filename extension.";
    case SE_ERR_DLLNOTFOUND:
        return "The specified dynamic-link library was not found.";
    default:
        return nullptr;
    }
}

// "C:\x" or "\\server\share\x": a name that neither a search nor the current directory can change.
bool IsFullPath(const char* path) {
    if (path[0] == '\\' && path[1] == '\\')
        return true;
    return path[0] != '\0' && path[1] == ':' && path[2] == '\\';
}

// `name` as the program file it stands for (".exe" added where it has no extension, as the system
// reads a registered command), if that is a file given by its full path.
bool FindProgramFile(CString& name) {
    if (!IsFullPath(name))
        return false;
    if (name.Find('.', name.ReverseFind('\\') + 1) < 0)
        name += ".exe";
    const DWORD attributes = ::GetFileAttributesA(name);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The program a registered command starts, and in `rest` what follows its name. Unquoted, the
// name is the longest run up to a blank that names a file: the system would try the shortest
// first, so that "C:\Program.exe" would run in place of "C:\Program Files\Web\web.exe". Empty
// when the command names no program by its full path.
CString ProgramOf(const CString& command, CString& rest) {
    if (command.GetLength() > 0 && command[0] == '"') {
        const int close = command.Find('"', 1);
        CString name = command.Mid(1, (close < 0 ? command.GetLength() : close) - 1);
        rest = close < 0 ? CString() : command.Mid(close + 1);
        return FindProgramFile(name) ? name : CString();
    }
    for (int end = command.GetLength(); end > 0; --end) {
        // Blanks and quotes are never the second byte of a double-byte character.
        if ((end < command.GetLength() && command[end] != ' ') || command[end - 1] == ' ')
            continue;
        CString name = command.Left(end);
        if (FindProgramFile(name)) {
            rest = command.Mid(end);
            return name;
        }
    }
    return CString();
}
} // namespace

CLinkLabel::CLinkLabel() : m_crHover(::GetSysColor(COLOR_HIGHLIGHT)) {}

const MessageMap* CLinkLabel::GetMessageMap() const {
    static const MessageMapEntry entries[] = {
        msgmap::SetCursor<&CLinkLabel::OnSetCursor>(),
        msgmap::Mouse<&CLinkLabel::OnMouseMove>(WM_MOUSEMOVE),
        msgmap::Message<&CLinkLabel::OnCaptureChanged>(WM_CAPTURECHANGED),
        msgmap::ReflectCommand<&CLinkLabel::OnLinkClicked>(STN_CLICKED),
        msgmap::ReflectCtlColor<&CLinkLabel::CtlColor>(),
    };
    static const MessageMap map(CStatic::GetMessageMap(), entries);
    return &map;
}

void CLinkLabel::SetLinkAddress(CString address) {
    m_strAddress = address;
    if (!m_hWnd)
        return;
    FitToText();
    if (m_tip.m_hWnd)
        m_tip.UpdateTipText(m_strAddress, this, 1);
}

void CLinkLabel::MarkVisited(BOOL visited) {
    m_bVisited = visited;
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CLinkLabel::PreSubclassWindow() {
    // A static reports clicks only when asked to.
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(GetStyle() | SS_NOTIFY));

    CString text;
    GetWindowText(text);
    if (m_strAddress.IsEmpty())
        m_strAddress = text;
    if (text.IsEmpty())
        SetWindowText(m_strAddress);

    // A static without a font of its own draws in the system font; the link underlines that one.
    auto font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    if (!font)
        font = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    LOGFONTA logFont{};
    if (::GetObjectA(font, sizeof(logFont), &logFont) == sizeof(logFont)) {
        logFont.lfUnderline = static_cast<BYTE>(m_bUnderline ? TRUE : FALSE);
        if (m_fontLink.CreateFontIndirect(&logFont))
            SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fontLink.GetSafeHandle()), TRUE);
    }

    FitToText();
    LoadHandCursor();

    RECT client;
    GetClientRect(&client);
    if (m_tip.Create(this))
        m_tip.AddTool(this, m_strAddress, client, 1);

    CStatic::PreSubclassWindow();
}

BOOL CLinkLabel::PreTranslateMessage(MSG* msg) {
    if (m_tip.m_hWnd)
        m_tip.RelayEvent(msg);
    return CStatic::PreTranslateMessage(msg);
}

void CLinkLabel::FitToText() {
    if (!m_hWnd || !m_bFitToText)
        return;
    RECT rect;
    GetWindowRect(&rect);
    if (HWND parent = GetParent())
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);

    CString text;
    GetWindowText(text);
    SIZE extent{};
    {
        const CClientDC dc(m_hWnd);
        const CSelectObject linkFont(dc, m_fontLink);
        ::GetTextExtentPoint32A(dc, text, text.GetLength(), &extent);
    }

    const DWORD style = GetStyle();
    if (style & SS_CENTERIMAGE)
        ::InflateRect(&rect, 0, -((rect.bottom - rect.top) - extent.cy) / 2);
    else
        rect.bottom = rect.top + extent.cy;
    if (style & SS_CENTER)
        ::InflateRect(&rect, -((rect.right - rect.left) - extent.cx) / 2, 0);
    else if (style & SS_RIGHT)
        rect.left = rect.right - extent.cx;
    else
        rect.right = rect.left + extent.cx;
    ::SetWindowPos(m_hWnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOZORDER);
}

void CLinkLabel::LoadHandCursor() {
    if (m_hHandCursor)
        return;
    static const char kHelpProgram[] = "\\winhlp32.exe";
    char path[MAX_PATH + sizeof(kHelpProgram)] = "";
    const UINT length = ::GetWindowsDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    ::lstrcatA(path, kHelpProgram);
    const CModule help(path);
    if (!help)
        return;
    // The module's cursor goes with the module; the copy is ours.
    if (HCURSOR hand = ::LoadCursorA(help.Get(), MAKEINTRESOURCEA(kHandCursorId)))
        m_hHandCursor.Reset(::CopyIcon(hand));
}

BOOL CLinkLabel::OnSetCursor(HWND, UINT, UINT) {
    if (!m_hHandCursor)
        return FALSE;
    ::SetCursor(m_hHandCursor.Get());
    return TRUE;
}

void CLinkLabel::OnMouseMove(UINT, POINT point) {
    Default();
    if (!m_bHover) {
        m_bHover = TRUE;
        ::RedrawWindow(m_hWnd, nullptr, nullptr, kRedrawNow);
        // Held while the pointer is over us, so that we also see the move that leaves.
        ::SetCapture(m_hWnd);
        return;
    }
    RECT client;
    GetClientRect(&client);
    if (::PtInRect(&client, point))
        return;
    m_bHover = FALSE;
    ::ReleaseCapture();
    ::RedrawWindow(m_hWnd, nullptr, nullptr, kRedrawNow);
}

LRESULT CLinkLabel::OnCaptureChanged(WPARAM, LPARAM) {
    // Someone else took the capture (a message box, another program coming to the front): we will
    // not see the pointer leave, so stop hovering now rather than stay lit for good.
    if (m_bHover) {
        m_bHover = FALSE;
        ::RedrawWindow(m_hWnd, nullptr, nullptr, kRedrawNow);
    }
    return Default();
}

HBRUSH CLinkLabel::CtlColor(HDC dc, UINT) {
    ::SetTextColor(dc, m_bHover ? m_crHover : m_bVisited ? m_crVisited : m_crLink);
    ::SetBkMode(dc, TRANSPARENT);
    // The dialog's background shows through.
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CLinkLabel::OnLinkClicked() {
    const int code = OpenAddress(m_strAddress, SW_SHOW);
    m_bVisited = code > 32;
    if (code > 32) {
        MarkVisited(TRUE);
        return;
    }
    ::MessageBeep(MB_ICONEXCLAMATION);
    ShowOpenError(code);
}

int CLinkLabel::OpenAddress(const char* address, int showCommand) {
    const auto shell =
        reinterpret_cast<UINT_PTR>(::ShellExecuteA(nullptr, "open", address, nullptr, nullptr, showCommand));
    const int shellCode = static_cast<int>(shell);
    if (shell > 32)
        return shellCode;

    // The shell could not: start the program registered for web pages ourselves.
    char command[kCommandSize] = "";
    if (ReadRegistryDefault(HKEY_CLASSES_ROOT, ".htm", command) != ERROR_SUCCESS)
        return shellCode;
    ::lstrcatA(command, "\\shell\\open\\command");
    if (ReadRegistryDefault(HKEY_CLASSES_ROOT, command, command) != ERROR_SUCCESS)
        return shellCode;

    // Everything from the placeholder on goes; the address follows the program and its options.
    auto* text = reinterpret_cast<unsigned char*>(command);
    unsigned char* placeholder = _mbsstr(text, reinterpret_cast<const unsigned char*>("\"%1\""));
    if (!placeholder)
        placeholder = _mbsstr(text, reinterpret_cast<const unsigned char*>("%1"));
    if (placeholder)
        *placeholder = '\0';

    if (std::strlen(command) + 1 + std::strlen(address) >= kCommandSize)
        return shellCode; // the command line would not fit: report what the shell said
    return static_cast<int>(RunCommand(command, address, static_cast<UINT>(showCommand)));
}

UINT CLinkLabel::RunCommand(const char* command, const char* address, UINT showCommand) {
    CString rest;
    const CString program = ProgramOf(command, rest);
    if (program.IsEmpty())
        return SE_ERR_FNF;
    // The program's own name first and quoted, so that it reads its arguments where they are.
    CString line = "\"" + program + "\"" + rest + " " + address;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(program, line.GetBuffer(line.GetLength()), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &info)) {
        // In the codes the message box explains, as the system's own start of a command gives them.
        const DWORD error = ::GetLastError();
        return error < 32 ? error : error == ERROR_BAD_EXE_FORMAT ? ERROR_BAD_FORMAT : 0;
    }
    const CHandle process(info.hProcess);
    const CHandle thread(info.hThread);
    return 33;
}

LONG CLinkLabel::ReadRegistryDefault(HKEY root, const char* subkey, char* out) {
    CRegKey key;
    LONG result = key.Open(root, subkey, KEY_QUERY_VALUE);
    if (result != ERROR_SUCCESS)
        return result;
    char value[MAX_PATH] = "";
    LONG size = sizeof(value);
    result = ::RegQueryValueA(key.Get(), nullptr, value, &size);
    // A value that does not fit (or cannot be read) gives no command we could trust.
    if (result != ERROR_SUCCESS)
        return result;
    value[MAX_PATH - 1] = '\0';
    ::lstrcpyA(out, value);
    return ERROR_SUCCESS;
}

void CLinkLabel::ShowOpenError(int code) {
    CString text = "Unable to open hyperlink:\n\n";
    if (const char* reason = OpenErrorText(code)) {
        text += reason;
    } else {
        CString unknown;
        unknown.Format("Unknown Error (%d) occurred.", code);
        text += unknown;
    }
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}
