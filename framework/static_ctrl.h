// CStatic: a static control, the base of controls specialised from a template's static.
#pragma once

#include "framework/wnd.h"

class CStatic : public CWnd {};
