// Stand-in for the fax viewer program, for the tests only. It accepts exactly
//   AWDVSTUB.EXE /c "source" "target"
// where the source is a TIFF fixture named *.awd, and writes every page of it to the target as a
// Group 3 fax TIFF. The fixture's name can ask it to fail (doubles_log.h). Every start is logged
// with its full command line to awdvstub-double.log, and its current directory to
// awdvstub-folder.log (doubles_log.h).
#include "../doubles_log.h"

#include <tiffio.h>

#include <string>
#include <vector>

namespace {
// Splits "PROGRAM /c "source" "target"" exactly; false for anything else.
bool ParseCommandLine(const std::string& line, std::string& source, std::string& target) {
    size_t pos = 0;
    if (!line.empty() && line[0] == '"') {
        pos = line.find('"', 1);
        if (pos == std::string::npos)
            return false;
        ++pos;
    } else {
        pos = line.find(' ');
        if (pos == std::string::npos)
            return false;
    }
    const std::string rest = line.substr(pos);
    const std::string head = " /c \"";
    if (rest.compare(0, head.size(), head) != 0)
        return false;
    const size_t sourceEnd = rest.find('"', head.size());
    if (sourceEnd == std::string::npos || rest.compare(sourceEnd, 3, "\" \"") != 0)
        return false;
    source = rest.substr(head.size(), sourceEnd - head.size());
    const size_t targetStart = sourceEnd + 3;
    const size_t targetEnd = rest.find('"', targetStart);
    if (targetEnd == std::string::npos || targetEnd + 1 != rest.size())
        return false;
    target = rest.substr(targetStart, targetEnd - targetStart);
    return !source.empty() && !target.empty();
}

template <class T> void CopyField(TIFF* in, TIFF* out, ttag_t tag) {
    T value{};
    if (TIFFGetField(in, tag, &value))
        TIFFSetField(out, tag, value);
}

// Every page of the bilevel fixture, re-encoded as Group 3 (one-dimensional).
bool WriteFax(const char* source, const char* target) {
    TIFF* in = TIFFOpen(source, "r");
    if (!in)
        return false;
    TIFF* out = TIFFOpen(target, "w");
    if (!out) {
        TIFFClose(in);
        return false;
    }
    bool ok = true;
    const int pages = TIFFNumberOfDirectories(in);
    for (int page = 0; ok && page < pages; ++page) {
        ok = TIFFSetDirectory(in, static_cast<tdir_t>(page)) != 0;
        uint32_t width = 0, length = 0;
        TIFFGetField(in, TIFFTAG_IMAGEWIDTH, &width);
        TIFFGetField(in, TIFFTAG_IMAGELENGTH, &length);
        TIFFSetField(out, TIFFTAG_IMAGEWIDTH, width);
        TIFFSetField(out, TIFFTAG_IMAGELENGTH, length);
        TIFFSetField(out, TIFFTAG_BITSPERSAMPLE, 1);
        TIFFSetField(out, TIFFTAG_SAMPLESPERPIXEL, 1);
        TIFFSetField(out, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
        TIFFSetField(out, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX3);
        TIFFSetField(out, TIFFTAG_GROUP3OPTIONS, 0);
        TIFFSetField(out, TIFFTAG_ROWSPERSTRIP, length);
        CopyField<float>(in, out, TIFFTAG_XRESOLUTION);
        CopyField<float>(in, out, TIFFTAG_YRESOLUTION);
        CopyField<uint16_t>(in, out, TIFFTAG_RESOLUTIONUNIT);
        TIFFSetField(out, TIFFTAG_PAGENUMBER, static_cast<uint16_t>(page), static_cast<uint16_t>(pages));
        std::vector<unsigned char> row(static_cast<size_t>(TIFFScanlineSize(in)));
        for (uint32_t y = 0; ok && y < length; ++y)
            ok = TIFFReadScanline(in, row.data(), y, 0) >= 0 && TIFFWriteScanline(out, row.data(), y, 0) >= 0;
        ok = ok && TIFFWriteDirectory(out);
    }
    TIFFClose(out);
    TIFFClose(in);
    return ok;
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Like a real program without a console: no messages anywhere.
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
    const std::string line = ::GetCommandLineA();
    doubles::AppendLog("awdvstub-double.log", line);
    char folder[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, folder);
    doubles::AppendLog("awdvstub-folder.log", folder);
    std::string source, target;
    if (!ParseCommandLine(line, source, target))
        return 2;
    switch (doubles::ModeOf(source.c_str())) {
    case doubles::Mode::Slow:
        ::Sleep(doubles::kSlowMs);
        break;
    case doubles::Mode::Hang:
        doubles::AppendLog("awdvstub-double.log", "hang pid=" + std::to_string(::GetCurrentProcessId()));
        ::Sleep(doubles::kHangMs);
        return 4;
    default:
        break;
    }
    return WriteFax(source.c_str(), target.c_str()) ? 0 : 3;
}
