#include "framework/cstring.h"

#include <mbstring.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

CString& CString::operator=(const char* text) {
    m_str.assign(text ? text : "");
    return *this;
}

CString& CString::operator+=(const char* text) {
    if (text)
        m_str.append(text);
    return *this;
}

CString& CString::operator+=(char ch) {
    m_str.push_back(ch);
    return *this;
}

CString CString::Left(int count) const {
    if (count <= 0)
        return CString();
    return CString(m_str.substr(0, static_cast<size_t>(count)).c_str());
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    if (first < 0)
        first = 0;
    if (first >= GetLength() || count <= 0)
        return CString();
    std::string part = m_str.substr(static_cast<size_t>(first), static_cast<size_t>(count));
    return CString(part.data(), static_cast<int>(part.size()));
}

CString CString::Right(int count) const {
    if (count <= 0)
        return CString();
    if (count >= GetLength())
        return *this;
    return Mid(GetLength() - count);
}

int CString::Find(char ch, int start) const {
    if (start < 0 || start > GetLength())
        return -1;
    auto* text = reinterpret_cast<const unsigned char*>(m_str.c_str());
    const unsigned char* hit = _mbschr(text + start, static_cast<unsigned char>(ch));
    return hit && *hit ? static_cast<int>(hit - text) : -1;
}

int CString::Find(const char* sub, int start) const {
    if (start < 0 || start > GetLength())
        return -1;
    auto* text = reinterpret_cast<const unsigned char*>(m_str.c_str());
    const unsigned char* hit = _mbsstr(text + start, reinterpret_cast<const unsigned char*>(sub));
    return hit ? static_cast<int>(hit - text) : -1;
}

int CString::ReverseFind(char ch) const {
    auto* text = reinterpret_cast<const unsigned char*>(m_str.c_str());
    const unsigned char* hit = _mbsrchr(text, static_cast<unsigned char>(ch));
    return hit && *hit ? static_cast<int>(hit - text) : -1;
}

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length < 0) {
        m_str.clear();
    } else {
        m_str.assign(static_cast<size_t>(length) + 1, '\0');
        std::vsnprintf(&m_str[0], m_str.size(), format, args);
        m_str.resize(static_cast<size_t>(length));
    }
    va_end(args);
}

char* CString::GetBuffer(int minLength) {
    if (minLength > GetLength())
        m_str.resize(static_cast<size_t>(minLength));
    return &m_str[0];
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0)
        newLength = static_cast<int>(std::strlen(m_str.c_str()));
    m_str.resize(static_cast<size_t>(newLength));
}

CString operator+(const CString& left, const char* right) {
    CString result(left);
    result += right;
    return result;
}

CString operator+(const char* left, const CString& right) {
    CString result(left);
    result += right;
    return result;
}

CString operator+(const CString& left, const CString& right) {
    CString result(left);
    result += right;
    return result;
}
