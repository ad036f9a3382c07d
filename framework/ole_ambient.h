// The ambient properties a container offers its controls: that they run in a finished program
// (not a form designer), and the font, colours and locale of the window they sit in.
#pragma once

#include <windows.h>

#include <oleauto.h>

// Fills `value` (empty on entry) with ambient property `dispid` for a control in `parent`;
// DISP_E_MEMBERNOTFOUND for those this container does not offer.
HRESULT GetAmbientProperty(DISPID dispid, HWND parent, VARIANT* value);
