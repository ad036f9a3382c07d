#include "pdfwrite/pdf_file.h"

#include "tiffcopy/file_open.h"

#include <algorithm>

namespace {
// The four bytes above 127 tell programs that move files around that this one is binary.
const char kHeader[] = "%PDF-1.3\n%\xE2\xE3\xCF\xD3\n";
} // namespace

PdfFile::PdfFile(const char* path) : m_file(OpenStream(path, "wb")), m_ok(m_file != nullptr) {
    if (m_file)
        Write(kHeader, sizeof(kHeader) - 1);
}

PdfFile::~PdfFile() {
    if (m_file)
        std::fclose(m_file);
}

void PdfFile::Write(const void* data, size_t size) {
    if (!m_ok)
        return;
    m_ok = std::fwrite(data, 1, size, m_file) == size;
    m_offset += size;
}

void PdfFile::BeginObject(uint32_t number) {
    if (m_offsets.size() <= number)
        m_offsets.resize(number + 1, 0);
    m_offsets[number] = m_offset;
    Write(std::to_string(number) + " 0 obj\n");
}

void PdfFile::WriteObject(uint32_t number, const std::string& body) {
    BeginObject(number);
    Write(body + "\nendobj\n");
}

void PdfFile::WriteStream(uint32_t number, const std::string& dictionary, const uint8_t* data, size_t size) {
    BeginObject(number);
    Write("<<" + (dictionary.empty() ? "" : " " + dictionary) + " /Length " + std::to_string(size) +
          " >>\nstream\n");
    Write(data, size);
    Write("\nendstream\nendobj\n");
}

bool PdfFile::Finish(uint32_t root, uint32_t info) {
    const uint64_t table = m_offset;
    const size_t count = m_offsets.size();
    // Entries are exactly 20 bytes, each with a two-character end of line.
    Write("xref\n0 " + std::to_string(count) + "\n0000000000 65535 f \n");
    for (size_t number = 1; number < count; ++number) {
        if (m_offsets[number] == 0)
            m_ok = false;
        const std::string offset = std::to_string(m_offsets[number]);
        Write(std::string(10 - std::min<size_t>(offset.size(), 10), '0') + offset + " 00000 n \n");
    }
    Write("trailer\n<< /Size " + std::to_string(count) + " /Root " + std::to_string(root) + " 0 R /Info " +
          std::to_string(info) + " 0 R >>\nstartxref\n" + std::to_string(table) + "\n%%EOF\n");
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    return m_ok && closed;
}

std::string PdfReal(double value) {
    const uint64_t tenThousandths = static_cast<uint64_t>(value * 10000);
    std::string text = std::to_string(tenThousandths / 10000);
    uint64_t fraction = tenThousandths % 10000;
    if (fraction == 0)
        return text;
    text += '.';
    for (uint64_t digit = 1000; fraction != 0; digit /= 10) {
        text += static_cast<char>('0' + fraction / digit);
        fraction %= digit;
    }
    return text;
}
