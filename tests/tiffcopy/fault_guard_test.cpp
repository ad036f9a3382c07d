// A real access fault inside one directory's transfer gives up that directory only.
#include "tiffcopy/copier_state.h"
#include "tiffcopy/fault_guard.h"
#include "tiffcopy/tiff_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <utility>

namespace {
const char kFaultMarker[] = "fault here";
const char kReadFaultMarker[] = "fault when read";

// Read through a volatile so that the compiler cannot see the null and emit a trap instead
// of the memory access.
int* volatile g_nowhere = nullptr;

TIFFExtendProc g_previousExtender = nullptr;
TIFFVGetMethod g_libraryGetField = nullptr;
TIFFVSetMethod g_librarySetField = nullptr;

// Stands in for a broken codec or tag handler inside the library: getting the marked
// DocumentName of a file open for reading dereferences a null pointer.
int FaultingGetField(TIFF* tif, uint32_t tag, va_list ap) {
    va_list copy;
    va_copy(copy, ap);
    const int found = g_libraryGetField(tif, tag, ap);
    if (found && tag == TIFFTAG_DOCUMENTNAME && TIFFGetMode(tif) == O_RDONLY) {
        const char* name = *va_arg(copy, char**);
        if (name != nullptr && std::strcmp(name, kFaultMarker) == 0)
            *g_nowhere = 1;
    }
    va_end(copy);
    return found;
}

// And a broken directory further on: reading the DocumentName marked for it faults.
int FaultingSetField(TIFF* tif, uint32_t tag, va_list ap) {
    if (tag == TIFFTAG_DOCUMENTNAME && TIFFGetMode(tif) == O_RDONLY) {
        va_list copy;
        va_copy(copy, ap);
        const char* name = va_arg(copy, const char*);
        va_end(copy);
        if (name != nullptr && std::strcmp(name, kReadFaultMarker) == 0)
            *g_nowhere = 1;
    }
    return g_librarySetField(tif, tag, ap);
}

void InstallFaultingGetField(TIFF* tif) {
    TIFFTagMethods* methods = TIFFAccessTagMethods(tif);
    if (methods->vgetfield != FaultingGetField) {
        g_libraryGetField = methods->vgetfield;
        methods->vgetfield = FaultingGetField;
    }
    if (methods->vsetfield != FaultingSetField) {
        g_librarySetField = methods->vsetfield;
        methods->vsetfield = FaultingSetField;
    }
    if (g_previousExtender)
        g_previousExtender(tif);
}

// Stands in for a fault deep inside a codec: the first error the library reports faults.
bool g_faultOnError = false;
void FaultingErrorHandler(const char*, const char*, va_list) {
    if (std::exchange(g_faultOnError, false))
        *g_nowhere = 1;
}

PageSpec Marked(PageSpec page, const char* marker) {
    page.extraTags = [marker](TIFF* tif) { TIFFSetField(tif, TIFFTAG_DOCUMENTNAME, marker); };
    return page;
}

// CopyInToOut with the faulting tag methods in every file the library opens meanwhile and, when
// `faultOnError`, a fault at the library's first error report.
int CopyWithFaults(const TempDir& dir, bool faultOnError = false) {
    SilenceLibraryMessages(); // once, before the handler is replaced here
    g_faultOnError = faultOnError;
    const TIFFErrorHandler previousHandler = TIFFSetErrorHandler(FaultingErrorHandler);
    g_previousExtender = TIFFSetTagExtender(InstallFaultingGetField);
    const int result = CopyInToOut(dir);
    TIFFSetTagExtender(g_previousExtender);
    TIFFSetErrorHandler(previousHandler);
    return result;
}

class FaultGuard : public ::testing::Test {
protected:
    void SetUp() override {
        if (!FaultGuardCompiledIn())
            GTEST_SKIP() << "the fault guard is compiled out in sanitizer builds (TIFFCOPY_NO_FAULT_GUARD); "
                            "native.tiffcopy_guard and win32.tiffcopy run these tests";
    }
};

// The fault strikes while the directory's tags are read, or after two of its strips were
// written (the library then counts the output as being written, which only a completed
// directory ends).
TEST_F(FaultGuard, FaultInSecondOfThreeDirectoriesAbandonsOnlyThatDirectory) {
    for (const bool amidImageData : {false, true}) {
        SCOPED_TRACE(amidImageData ? "amid the image data" : "while the tags are read");
        TempDir dir;
        std::vector<PageSpec> pages(3);
        for (uint32_t i = 0; i < 3; ++i) {
            pages[i].length = 30 + 10 * i;
            pages[i].rowsPerStrip = 10;
            pages[i].seed = i + 1;
        }
        if (amidImageData)
            pages[1].cutLastStrip = true;
        else
            pages[1] = Marked(pages[1], kFaultMarker);
        ASSERT_TRUE(WriteTiff(dir.Path("in.tif"), pages));

        EXPECT_EQ(0, CopyWithFaults(dir, amidImageData));
        EXPECT_FALSE(g_faultOnError) << "no fault was raised";
        EXPECT_EQ(1, LastCopyReport().abandonedDirectories);
        EXPECT_EQ(2, LastCopyReport().directoriesWritten);

        TiffHandle out = OpenForReading(dir.Path("out.tif"));
        ASSERT_TRUE(out);
        EXPECT_EQ(PagePixels(pages[0]), ReadPixels(out.get()));
        ASSERT_TRUE(TIFFReadDirectory(out.get()));
        EXPECT_EQ(PagePixels(pages[2]), ReadPixels(out.get()));
        char* name = nullptr;
        EXPECT_FALSE(TIFFGetField(out.get(), TIFFTAG_DOCUMENTNAME, &name))
            << "a tag of the abandoned directory leaked";
        EXPECT_FALSE(TIFFReadDirectory(out.get()));
    }
}

void ExpectFirstPage(const TempDir& dir, const PageSpec& page) {
    TiffHandle out = OpenForReading(dir.Path("out.tif"));
    ASSERT_TRUE(out);
    EXPECT_EQ(PagePixels(page), ReadPixels(out.get()));
}

// A fault in the last directory leaves no broken directory behind. After a caught fault the input
// is one of the handles the fault may have broken: moving it on to the next directory runs under
// the guard too, and when that faults as well the file fails with what was written before. The
// next copy is unaffected.
TEST_F(FaultGuard, AfterAFaultOnlyTheDirectoriesWrittenBeforeRemainAndTheNextCopyIsUnaffected) {
    for (const bool faultAgain : {false, true}) {
        SCOPED_TRACE(faultAgain ? "the input faults again as it moves on" : "the last directory faults");
        TempDir dir;
        std::vector<PageSpec> pages = {FaxPage(COMPRESSION_CCITTFAX3, 40, 1),
                                       Marked(FaxPage(COMPRESSION_CCITTFAX3, 50, 2), kFaultMarker)};
        if (faultAgain)
            pages.push_back(Marked(FaxPage(COMPRESSION_CCITTFAX3, 60, 3), kReadFaultMarker));
        ASSERT_TRUE(WriteTiff(dir.Path("in.tif"), pages));
        EXPECT_EQ(faultAgain ? 1 : 0, CopyWithFaults(dir));
        EXPECT_EQ(1, LastCopyReport().abandonedDirectories);
        EXPECT_EQ(1, CountDirectories(dir.Path("out.tif")));
        ExpectFirstPage(dir, pages[0]);
    }
    TempDir plain;
    const PageSpec page = FaxPage(COMPRESSION_CCITTFAX3, 50, 2);
    ASSERT_TRUE(WriteTiff(plain.Path("in.tif"), {page}));
    ASSERT_EQ(0, CopyInToOut(plain));
    EXPECT_EQ(0, LastCopyReport().abandonedDirectories);
    ExpectFirstPage(plain, page);
}
} // namespace
