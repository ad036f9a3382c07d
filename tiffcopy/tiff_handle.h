// Owner of one open libtiff handle: closes it when it goes.
#pragma once

#include <tiffio.h>

class TiffHandle {
public:
    TiffHandle() = default;
    explicit TiffHandle(TIFF* tif) : m_tif(tif) {}
    ~TiffHandle() { Close(); }
    TiffHandle(TiffHandle&& other) noexcept : m_tif(other.m_tif) { other.m_tif = nullptr; }
    TiffHandle& operator=(TiffHandle&& other) noexcept {
        if (this != &other) {
            Close();
            m_tif = other.m_tif;
            other.m_tif = nullptr;
        }
        return *this;
    }
    TiffHandle(const TiffHandle&) = delete;
    TiffHandle& operator=(const TiffHandle&) = delete;

    TIFF* get() const { return m_tif; }
    explicit operator bool() const { return m_tif != nullptr; }
    void Close() {
        if (m_tif) {
            TIFFClose(m_tif);
            m_tif = nullptr;
        }
    }
    // Gives the handle up unclosed: one that a fault left in an unknown state is not touched again.
    TIFF* Release() {
        TIFF* tif = m_tif;
        m_tif = nullptr;
        return tif;
    }

private:
    TIFF* m_tif = nullptr;
};
