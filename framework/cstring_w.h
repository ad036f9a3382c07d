// Wide strings (UTF-16): names as the file systems of NT-based Windows hold them. Nothing turns one
// into a narrow string or a narrow string into one without being asked: a name handed to an ANSI
// call loses what the code page cannot spell, so the compiler refuses to (framework/file_names.h
// converts, where the system wants the ANSI form).
#pragma once

#include <string>

class CStringW {
public:
    CStringW() = default;
    CStringW(const wchar_t* text) : m_str(text ? text : L"") {}
    CStringW(const wchar_t* text, int length) : m_str(text, length > 0 ? static_cast<size_t>(length) : 0) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    operator const wchar_t*() const { return m_str.c_str(); }
    const wchar_t* GetString() const { return m_str.c_str(); }

    CStringW& operator+=(const wchar_t* text) {
        if (text)
            m_str.append(text);
        return *this;
    }
    CStringW& operator+=(wchar_t ch) {
        m_str.push_back(ch);
        return *this;
    }

    CStringW Left(int count) const {
        return CStringW(m_str.c_str(), count < GetLength() ? count : GetLength());
    }
    CStringW Mid(int first) const {
        return first <= 0 ? *this : CStringW(m_str.c_str() + (first < GetLength() ? first : GetLength()));
    }
    // Index of the last occurrence, or -1.
    int ReverseFind(wchar_t ch) const {
        const size_t found = m_str.rfind(ch);
        return found == std::wstring::npos ? -1 : static_cast<int>(found);
    }
    // Unit by unit, as the file system compares nothing: equal only when the same.
    bool operator==(const CStringW& other) const { return m_str == other.m_str; }
    bool operator!=(const CStringW& other) const { return m_str != other.m_str; }
    bool operator==(const wchar_t* other) const { return m_str == (other ? other : L""); }
    bool operator!=(const wchar_t* other) const { return !(*this == other); }

    // A writable buffer of at least minLength characters plus the terminator; the string ends at
    // the first NUL after ReleaseBuffer(), or at newLength when it is given.
    wchar_t* GetBuffer(int minLength) {
        if (minLength > GetLength())
            m_str.resize(static_cast<size_t>(minLength));
        return &m_str[0];
    }
    void ReleaseBuffer(int newLength = -1) {
        m_str.resize(newLength < 0 ? std::wstring(m_str.c_str()).size() : static_cast<size_t>(newLength));
    }

private:
    std::wstring m_str;
};

inline CStringW operator+(const CStringW& left, const wchar_t* right) {
    CStringW result(left);
    result += right;
    return result;
}
inline CStringW operator+(const wchar_t* left, const CStringW& right) {
    CStringW result(left);
    result += right;
    return result;
}
inline CStringW operator+(const CStringW& left, const CStringW& right) {
    return left + right.GetString();
}
