// A dialog template of the running program's resources, read byte by byte (DLGTEMPLATEEX).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TemplateItem {
    DWORD style;
    DWORD exStyle;
    RECT rect; // x, y, width, height in dialog units
    DWORD id;
    std::string windowClass; // "#n" for a predefined class stored as an ordinal
    std::string text;
};

struct DialogTemplate {
    bool extended = false; // false also when the resource is missing
    DWORD exStyle = 0;
    DWORD style = 0;
    RECT rect{}; // x, y, width, height in dialog units
    std::string menu, windowClass, caption;
    WORD points = 0;
    std::string font;
    std::vector<TemplateItem> items;
};

DialogTemplate ReadDialogTemplate(UINT id);
