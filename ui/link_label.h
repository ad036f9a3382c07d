// CLinkLabel: a dialog's static text turned into a link to a web address. Underlined, coloured
// as unvisited, hovered or visited, with a hand cursor and the address as tooltip; a click opens
// the address in the user's browser, through the shell or else the command registered for web
// pages, and explains a failure in a message box.
#pragma once

#include "framework/cstring.h"
#include "framework/gdi_object.h"
#include "framework/handle.h"
#include "framework/static_ctrl.h"
#include "framework/tooltip_ctrl.h"

class CLinkLabel : public CStatic {
public:
    CLinkLabel();

    // The visible text stays as it is; only the tooltip shows the address.
    void SetLinkAddress(CString address);
    // Repaints in the visited colour (or back).
    void MarkVisited(BOOL visited);

    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    COLORREF m_crLink = 0x00EE0000;
    COLORREF m_crVisited = 0x008B1AF0;
    COLORREF m_crHover;
    BOOL m_bHover = FALSE; // the mouse is over the control, which then holds the capture
    BOOL m_bVisited = FALSE;
    BOOL m_bUnderline = TRUE;
    BOOL m_bFitToText = TRUE;
    CString m_strAddress;
    CFont m_fontLink;
    CIcon m_hHandCursor; // our own copy of the cursor, destroyed with the control
    CToolTipCtrl m_tip;

protected:
    const MessageMap* GetMessageMap() const override;

    BOOL OnSetCursor(HWND wnd, UINT hitTest, UINT mouseMessage);
    void OnMouseMove(UINT keyFlags, POINT point);
    LRESULT OnCaptureChanged(WPARAM, LPARAM);
    void OnLinkClicked();
    HBRUSH CtlColor(HDC dc, UINT ctlType);

    void FitToText();
    void LoadHandCursor();
    // ShellExecuteA's code or the fallback's: greater than 32 when the address was opened.
    int OpenAddress(const char* address, int showCommand);
    // Starts the program the registered web-page command names, by its full path, with the
    // command and the address: greater than 32 when it started, else a code ShowOpenError explains.
    // Tests put a recorder in its place.
    virtual UINT RunCommand(const char* command, const char* address, UINT showCommand);
    // The default value of root\subkey into `out` (MAX_PATH bytes); 0 or a registry error code.
    LONG ReadRegistryDefault(HKEY root, const char* subkey, char* out);
    void ShowOpenError(int code);
};
