#include "conversion_fixture.h"

#include "support/text_file.h"
#include "support/tiff_writer.h"

#include "app/environment.h"
#include "convert/img_edit.h"
#include "convert/imaging_thread.h"
#include "tiffcopy/copier_state.h"
#include "win32/wide_text.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <utility>

namespace {

std::string TemporaryFolder() {
    char path[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, path);
    return path;
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream file(path, std::ios::binary);
    std::string line;
    while (std::getline(file, line))
        lines.push_back(line);
    return lines;
}

std::string PathVariable() {
    std::string path(32767, '\0');
    path.resize(::GetEnvironmentVariableA("PATH", &path[0], static_cast<DWORD>(path.size())));
    return path;
}
} // namespace

std::string ProgramFolder() {
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\'));
}

void WriteFaxFixture(const std::string& path, int pages, unsigned seed, uint32_t width, uint32_t length) {
    // Written under a plain name and moved to its own, which may be one the code page cannot spell.
    if (std::any_of(path.begin(), path.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
        const std::string plain = ProcessFolder() + "\\fixture.tif";
        WriteFaxFixture(plain, pages, seed, width, length);
        ASSERT_TRUE(::MoveFileExW(Wide(plain).c_str(), Wide(path).c_str(), MOVEFILE_REPLACE_EXISTING))
            << path;
        return;
    }
    SilenceLibraryMessages();
    std::vector<PageSpec> specs(static_cast<size_t>(pages));
    for (size_t page = 0; page < specs.size(); ++page) {
        PageSpec& spec = specs[page];
        spec.width = width;
        spec.length = length;
        spec.rowsPerStrip = length;
        // Pages of one file and first pages of files differ.
        spec.seed = seed * 1000 + static_cast<uint32_t>(page) + 1;
        spec.extraTags = [](TIFF* tif) {
            TIFFSetField(tif, TIFFTAG_XRESOLUTION, 204.0);
            TIFFSetField(tif, TIFFTAG_YRESOLUTION, 196.0);
            TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        };
    }
    ASSERT_TRUE(WriteTiff(path, specs)) << path;
}

std::vector<FaxPage> ReadFaxPages(const std::string& path, std::vector<uint16_t>* compressions) {
    SilenceLibraryMessages();
    std::vector<FaxPage> pages;
    const TiffHandle handle(TIFFOpenW(Wide(path).c_str(), "r"));
    TIFF* tif = handle.get();
    if (!tif)
        return pages;
    do {
        FaxPage page;
        TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &page.width);
        TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &page.length);
        uint16_t compression = 0;
        TIFFGetField(tif, TIFFTAG_COMPRESSION, &compression);
        if (compressions)
            compressions->push_back(compression);
        const tmsize_t rowSize = TIFFScanlineSize(tif);
        std::vector<uint8_t> row(static_cast<size_t>(rowSize));
        for (uint32_t y = 0; y < page.length; ++y) {
            if (TIFFReadScanline(tif, row.data(), y, 0) < 0)
                break;
            page.bits.insert(page.bits.end(), row.begin(), row.end());
        }
        pages.push_back(std::move(page));
    } while (TIFFReadDirectory(tif));
    return pages;
}

bool FileExists(const std::string& path) {
    return ::GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> ListFiles(const std::string& folder, const char* pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW(Wide(folder + "\\" + pattern).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(Utf8(found.cFileName));
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    return names;
}

std::string ProcessFolder() {
    return TemporaryFolder() + "tarnvel-tests\\p" + std::to_string(::GetCurrentProcessId());
}

std::vector<std::string> StubLog() {
    return ReadLines(ProcessFolder() + "\\awdvstub-double.log");
}

std::vector<std::string> ControlLog() {
    return ReadLines(ProcessFolder() + "\\imgedit-double.log");
}

void ClearStandInLogs() {
    ::DeleteFileA((ProcessFolder() + "\\awdvstub-double.log").c_str());
    ::DeleteFileA((ProcessFolder() + "\\awdvstub-folder.log").c_str());
    ::DeleteFileA((ProcessFolder() + "\\imgedit-double.log").c_str());
}

void RegisterStandIns() {
    ::CreateDirectoryA((TemporaryFolder() + "tarnvel-tests").c_str(), nullptr);
    ::CreateDirectoryA(ProcessFolder().c_str(), nullptr);
    ::SetEnvironmentVariableA("TARNVEL_DOUBLES_LOG_DIR", (ProcessFolder() + "\\").c_str());
    const std::string doubles = ProgramFolder() + "\\doubles";
    const std::string path = PathVariable();
    if (path.find(doubles) == std::string::npos)
        ::SetEnvironmentVariableA("PATH", (doubles + ";" + path).c_str());
    RefuseStandInControl(false);
}

namespace {
// Registers the stand-in's class object with COM in the calling thread's apartment only: nothing
// is written to any registry, and test programs running side by side in one prefix cannot take
// the control away from each other. The cookie, or 0.
DWORD RegisterStandInHere() {
    static const HMODULE server = ::LoadLibraryA((ProgramFolder() + "\\doubles\\imgedit_double.dll").c_str());
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    const auto get = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void*>(::GetProcAddress(server, "DllGetClassObject")));
    IUnknown* factory = nullptr;
    if (!get || FAILED(get(CLSID_ImgEdit, IID_IUnknown, reinterpret_cast<void**>(&factory))))
        return 0;
    DWORD cookie = 0;
    ::CoRegisterClassObject(CLSID_ImgEdit, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie);
    factory->Release();
    return cookie;
}
} // namespace

void RefuseStandInControl(bool refuse) {
    // This thread's, for controls a test makes itself; a dialog's control thread registers its
    // own, which goes with its apartment.
    static DWORD cookie = 0;
    g_imagingApartmentReady = refuse ? nullptr : +[] { RegisterStandInHere(); };
    if (refuse && cookie)
        ::CoRevokeClassObject(std::exchange(cookie, 0));
    if (!refuse && !cookie) {
        EXPECT_NE(cookie = RegisterStandInHere(), 0u) << "doubles\\imgedit_double.dll";
    }
}

const ImgEditProbe& StandInProbe() {
    static const ImgEditProbe none{0, false, -1, nullptr, nullptr, false, 0, "unloaded", 0};
    const auto probe = reinterpret_cast<ImgEditProbeFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("imgedit_double.dll"), "ImgEditDoubleProbe")));
    return probe ? *probe() : none;
}

void EndStandInControlHang() {
    using EndHang = void(__stdcall*)();
    const auto end = reinterpret_cast<EndHang>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("imgedit_double.dll"), "ImgEditDoubleEndHang")));
    ASSERT_NE(end, nullptr);
    end();
}

ScopedNoProgramOnPath::ScopedNoProgramOnPath()
    : ScopedUndo([path = PathVariable()] { ::SetEnvironmentVariableA("PATH", path.c_str()); }) {
    ::SetEnvironmentVariableA("PATH", "C:\\windows\\system32");
}

ScopedGeneration::ScopedGeneration(int generation)
    : ScopedUndo([previous = WindowsGeneration] { WindowsGeneration = previous; }) {
    WindowsGeneration = generation;
}

void ConversionTest::SetUp() {
    std::memcpy(m_savedTempTiffPath, TempTiffPath, sizeof(TempTiffPath));
    RegisterStandIns();
    ClearStandInLogs();
    SetPath(TempTiffPath, ProcessFolder() + "\\zq4intmp.tif");
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    std::replace(name.begin(), name.end(), '/', '_');
    m_root = ProcessFolder() + "\\" + name;
    RemoveTree(m_root);
    ASSERT_TRUE(::CreateDirectoryA(m_root.c_str(), nullptr)) << m_root;
}

void ConversionTest::TearDown() {
    RemoveTree(m_root);
    ::DeleteFileW(TempTiffPath);
    ClearStandInLogs();
    ::RemoveDirectoryA(ProcessFolder().c_str());
    std::memcpy(TempTiffPath, m_savedTempTiffPath, sizeof(TempTiffPath));
}

std::string ConversionTest::Folder(const char* name) {
    const std::string folder = m_root + "\\" + name;
    ::CreateDirectoryW(Wide(folder).c_str(), nullptr);
    return folder;
}

void CopyFixture(const std::string& from, const std::string& to) {
    ASSERT_TRUE(::CopyFileW(Wide(from).c_str(), Wide(to).c_str(), FALSE)) << to;
}

void SetPath(wchar_t (&path)[MAX_PATH], const std::string& utf8) {
    const std::wstring wide = Wide(utf8);
    ASSERT_LT(wide.size(), static_cast<size_t>(MAX_PATH)) << utf8;
    std::memcpy(path, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
}
