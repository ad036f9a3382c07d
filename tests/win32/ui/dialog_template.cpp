#include "win32/ui/dialog_template.h"

#include <cstring>

namespace {
// Reads the variable parts of a DLGTEMPLATEEX: strings or ordinals in UTF-16.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* data) : m_base(data), m_p(data) {}
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
    RECT Rect() {
        RECT r{};
        r.left = Short();
        r.top = Short();
        r.right = Short();
        r.bottom = Short();
        return r;
    }
    void AlignDword() {
        while ((m_p - m_base) % 4)
            ++m_p;
    }
    void Skip(size_t bytes) { m_p += bytes; }

private:
    const BYTE* m_base;
    const BYTE* m_p;
};
} // namespace

DialogTemplate ReadDialogTemplate(UINT id) {
    DialogTemplate dialog;
    HRSRC found = ::FindResourceA(nullptr, MAKEINTRESOURCEA(id), RT_DIALOG);
    if (!found)
        return dialog;
    TemplateReader r(static_cast<const BYTE*>(::LockResource(::LoadResource(nullptr, found))));
    if (r.Word() != 1 || r.Word() != 0xFFFF)
        return dialog;
    dialog.extended = true;
    r.Dword(); // help id
    dialog.exStyle = r.Dword();
    dialog.style = r.Dword();
    const WORD count = r.Word();
    dialog.rect = r.Rect();
    dialog.menu = r.NameOrOrdinal();
    dialog.windowClass = r.NameOrOrdinal();
    dialog.caption = r.String();
    dialog.points = r.Word();
    r.Word();  // weight
    r.Skip(2); // italic, charset
    dialog.font = r.String();
    for (WORD i = 0; i < count; ++i) {
        r.AlignDword();
        TemplateItem item{};
        r.Dword(); // help id
        item.exStyle = r.Dword();
        item.style = r.Dword();
        item.rect = r.Rect();
        item.id = r.Dword();
        item.windowClass = r.NameOrOrdinal();
        item.text = r.NameOrOrdinal();
        r.Skip(r.Word());
        dialog.items.push_back(item);
    }
    return dialog;
}
