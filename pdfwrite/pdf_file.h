// A PDF file being written: the header, numbered objects in any order, then the cross-reference
// table and the trailer. Knows nothing of pages.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class PdfFile {
public:
    // Creates (or replaces) the file and writes the header.
    explicit PdfFile(const char* path);
    ~PdfFile();
    PdfFile(const PdfFile&) = delete;
    PdfFile& operator=(const PdfFile&) = delete;

    bool IsOpen() const { return m_file != nullptr; }
    // Object `number` with `body` (a dictionary, an array, ...) as its whole content.
    void WriteObject(uint32_t number, const std::string& body);
    // Object `number`: a stream of `size` bytes; `dictionary` is its dictionary's entries
    // without the length, which this adds.
    void WriteStream(uint32_t number, const std::string& dictionary, const uint8_t* data, size_t size);
    // Writes the cross-reference table of every object written, which must be each number from 1
    // up, and the trailer, and closes the file. False when anything could not be written.
    bool Finish(uint32_t root, uint32_t info);

private:
    void BeginObject(uint32_t number);
    void Write(const void* data, size_t size);
    void Write(const std::string& text) { Write(text.data(), text.size()); }

    std::FILE* m_file;
    uint64_t m_offset = 0;
    std::vector<uint64_t> m_offsets; // by object number; 0 for none written
    bool m_ok;
};

// A number of zero or more as PDF writes it: cut (not rounded) to four decimals, no exponent,
// no locale.
std::string PdfReal(double value);
