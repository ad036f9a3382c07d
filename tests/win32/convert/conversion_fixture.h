// What the conversion tests share: fax fixtures and the stand-in renderers; the main window is
// worked through the dialog driver. Paths are UTF-8 (win32/wide_text.h).
#pragma once

#include "doubles/imgedit/imgedit_probe.h"
#include "support/scope_undo.h"
#include "support/temp_dir.h"
#include "support/text_file.h"
#include "win32/dialog_driver.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One page of a bilevel image: width, length, and the packed rows (1 = black, MinIsWhite).
struct FaxPage {
    uint32_t width = 0;
    uint32_t length = 0;
    std::vector<uint8_t> bits;
    bool operator==(const FaxPage& other) const {
        return width == other.width && length == other.length && bits == other.bits;
    }
};

// Writes an uncompressed bilevel TIFF of `pages` pages whose content depends on `seed`: mostly
// white, with short black runs scattered over every row, like text. The stand-ins read such
// files as AWD documents.
void WriteFaxFixture(const std::string& path, int pages, unsigned seed, uint32_t width = 216,
                     uint32_t length = 64);
// The pages of a TIFF file, decoded; `compressions` receives each page's compression.
std::vector<FaxPage> ReadFaxPages(const std::string& path, std::vector<uint16_t>* compressions = nullptr);

bool FileExists(const std::string& path);
// The files of `folder` whose names match `pattern`.
std::vector<std::string> ListFiles(const std::string& folder, const char* pattern = "*");

// The logs of the stand-ins, one entry per start or call.
std::vector<std::string> StubLog();
std::vector<std::string> ControlLog();
void ClearStandInLogs();

// Puts the stand-in program on this process's search path, registers the stand-in control
// under the imaging control's class identifier for this thread and every dialog's control thread
// (in their apartments only), and points the stand-ins' logs at this process's own folder.
void RegisterStandIns();
// Makes creating the stand-in control fail in this process, or work again.
void RefuseStandInControl(bool refuse);
// What the stand-in control saw of its container.
const ImgEditProbe& StandInProbe();
// Makes the stand-in control's hanging call ("hang" in the document's name) return now.
void EndStandInControlHang();
// Takes the stand-in program off this process's search path for one scope.
struct ScopedNoProgramOnPath : ScopedUndo {
    ScopedNoProgramOnPath();
};
// WindowsGeneration for one scope.
struct ScopedGeneration : ScopedUndo {
    explicit ScopedGeneration(int generation);
};

// A fresh, empty folder per test and process under the temporary folder, removed at the end;
// the temporary TIFF lives in the process's own folder meanwhile, so that test programs running
// side by side in one prefix do not render into each other's file.
class ConversionTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A folder below the test's own folder (created).
    std::string Folder(const char* name);

    std::string m_root;
    wchar_t m_savedTempTiffPath[MAX_PATH] = L"";
};

// The folder of the test program (the stand-ins are in its doubles\ folder), no trailing backslash.
std::string ProgramFolder();
// This process's folder for its tests' files, with no trailing backslash.
std::string ProcessFolder();

// A copy of a file.
void CopyFixture(const std::string& from, const std::string& to);

// Sets a path of the program's (TempTiffPath, TarnvelFolder) to `utf8`.
void SetPath(wchar_t (&path)[MAX_PATH], const std::string& utf8);
