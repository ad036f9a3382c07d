// The ambient properties a container offers its controls: that they run in a finished program
// (not a form designer), with the user's colours and locale. No font is offered: the controls we
// host are never shown, and a font object would take a look-up across two DLLs on Windows 95, so
// a control falls back on its own.
#pragma once

#include <windows.h>

#include <oleauto.h>

// Fills `value` (empty on entry) with ambient property `dispid`; DISP_E_MEMBERNOTFOUND for those
// this container does not offer.
HRESULT GetAmbientProperty(DISPID dispid, VARIANT* value);
