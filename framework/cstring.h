// Narrow strings in the ANSI code page, with the operations the dialogs use.
// Searches for a character follow the multibyte rules of the current code page,
// so a backslash that is the trail byte of a double-byte character is not found.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_str(text ? text : "") {}
    CString(const char* text, int length) : m_str(text, length > 0 ? static_cast<size_t>(length) : 0) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    operator const char*() const { return m_str.c_str(); }
    const char* GetString() const { return m_str.c_str(); }

    CString& operator=(const char* text);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);

    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;

    // Index of the first (or last) occurrence, or -1.
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;

    int Compare(const char* other) const { return lstrcmpA(m_str.c_str(), other); }

    void Format(const char* format, ...) __attribute__((format(__MINGW_PRINTF_FORMAT, 2, 3)));

    // A writable buffer of at least minLength characters plus the terminator; the string ends
    // at the first NUL after ReleaseBuffer(), or at newLength when it is given.
    char* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

private:
    std::string m_str;
};

CString operator+(const CString& left, const char* right);
CString operator+(const char* left, const CString& right);
CString operator+(const CString& left, const CString& right);
inline bool operator==(const CString& a, const char* b) {
    return a.Compare(b) == 0;
}
inline bool operator!=(const CString& a, const char* b) {
    return a.Compare(b) != 0;
}

// A growable sequence of strings, indexed from 0.
class CStringArray {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetCount() const { return GetSize(); }
    bool IsEmpty() const { return m_items.empty(); }
    int Add(const char* item) {
        m_items.emplace_back(item);
        return GetSize() - 1;
    }
    const CString& GetAt(int index) const { return m_items.at(static_cast<size_t>(index)); }
    void SetAt(int index, const char* item) { m_items.at(static_cast<size_t>(index)) = item; }
    const CString& operator[](int index) const { return GetAt(index); }
    CString& operator[](int index) { return m_items.at(static_cast<size_t>(index)); }
    void RemoveAll() { m_items.clear(); }

private:
    std::vector<CString> m_items;
};
