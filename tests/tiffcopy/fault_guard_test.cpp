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

class ScopedFaultingTags {
public:
    ScopedFaultingTags() { g_previousExtender = TIFFSetTagExtender(InstallFaultingGetField); }
    ~ScopedFaultingTags() { TIFFSetTagExtender(g_previousExtender); }
    ScopedFaultingTags(const ScopedFaultingTags&) = delete;
    ScopedFaultingTags& operator=(const ScopedFaultingTags&) = delete;
};

// Stands in for a fault deep inside a codec: the first error the library reports faults.
bool g_faultOnError = false;
void FaultingErrorHandler(const char*, const char*, va_list) {
    if (std::exchange(g_faultOnError, false))
        *g_nowhere = 1;
}

// The fault strikes while the directory's tags are read, or after two of its strips were
// written (the library then counts the output as being written, which only a completed
// directory ends).
TEST(FaultGuard, FaultInSecondOfThreeDirectoriesAbandonsOnlyThatDirectory) {
    if (!FaultGuardCompiledIn())
        GTEST_SKIP() << "the fault guard is compiled out in sanitizer builds (TIFFCOPY_NO_FAULT_GUARD); "
                        "native.tiffcopy_guard and win32.tiffcopy run this test";
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
            pages[1].extraTags = [](TIFF* tif) { TIFFSetField(tif, TIFFTAG_DOCUMENTNAME, kFaultMarker); };
        ASSERT_TRUE(WriteTiff(dir.Path("in.tif"), pages));

        const CopyOptions options = ProgramOptions();
        SilenceLibraryMessages();
        const TIFFErrorHandler previous = TIFFSetErrorHandler(FaultingErrorHandler);
        g_faultOnError = amidImageData;
        int result = -100;
        {
            ScopedFaultingTags faulting;
            result = CopyInToOut(dir, options);
        }
        TIFFSetErrorHandler(previous);
        EXPECT_FALSE(g_faultOnError) << "no fault was raised";
        EXPECT_EQ(0, result);
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

// After a caught fault the input is one of the handles the fault may have broken: moving it on to
// the next directory runs under the guard too, and when that faults as well the file fails with
// what was written before.
TEST(FaultGuard, FaultWhileTheInputMovesOnAfterAFaultFailsTheFile) {
    if (!FaultGuardCompiledIn())
        GTEST_SKIP() << "the fault guard is compiled out in sanitizer builds (TIFFCOPY_NO_FAULT_GUARD)";
    TempDir dir;
    std::vector<PageSpec> pages = {FaxPage(COMPRESSION_CCITTFAX3, 40, 1),
                                   FaxPage(COMPRESSION_CCITTFAX3, 50, 2),
                                   FaxPage(COMPRESSION_CCITTFAX3, 60, 3)};
    pages[1].extraTags = [](TIFF* tif) { TIFFSetField(tif, TIFFTAG_DOCUMENTNAME, kFaultMarker); };
    pages[2].extraTags = [](TIFF* tif) { TIFFSetField(tif, TIFFTAG_DOCUMENTNAME, kReadFaultMarker); };
    ASSERT_TRUE(WriteTiff(dir.Path("in.tif"), pages));
    int result = -100;
    {
        ScopedFaultingTags faulting;
        result = CopyInToOut(dir);
    }
    EXPECT_EQ(1, result);
    EXPECT_EQ(1, LastCopyReport().abandonedDirectories);
    EXPECT_EQ(1, CountDirectories(dir.Path("out.tif")));
}

TEST(FaultGuard, CopyAfterACaughtFaultIsUnaffected) {
    if (!FaultGuardCompiledIn())
        GTEST_SKIP() << "the fault guard is compiled out in sanitizer builds (TIFFCOPY_NO_FAULT_GUARD)";
    TempDir dir;
    PageSpec faulting = FaxPage(COMPRESSION_CCITTFAX4, 30, 1);
    faulting.extraTags = [](TIFF* tif) { TIFFSetField(tif, TIFFTAG_DOCUMENTNAME, kFaultMarker); };
    ASSERT_TRUE(WriteTiff(dir.Path("faulting.tif"), {faulting}));
    const PageSpec plain = FaxPage(COMPRESSION_CCITTFAX3, 50, 2);
    ASSERT_TRUE(WriteTiff(dir.Path("plain.tif"), {plain}));

    const CopyOptions options = ProgramOptions();
    {
        ScopedFaultingTags faultingTags;
        EXPECT_EQ(0, CopyTiff(dir.Path("faulting.tif").c_str(), dir.Path("out1.tif").c_str(), &options));
        EXPECT_EQ(1, LastCopyReport().abandonedDirectories);
    }
    ASSERT_EQ(0, CopyTiff(dir.Path("plain.tif").c_str(), dir.Path("out2.tif").c_str(), &options));
    EXPECT_EQ(0, LastCopyReport().abandonedDirectories);
    TiffHandle out = OpenForReading(dir.Path("out2.tif"));
    ASSERT_TRUE(out);
    EXPECT_EQ(PagePixels(plain), ReadPixels(out.get()));
}
TEST(FaultGuard, FaultInTheLastDirectoryLeavesNoBrokenDirectoryBehind) {
    if (!FaultGuardCompiledIn())
        GTEST_SKIP() << "the fault guard is compiled out in sanitizer builds (TIFFCOPY_NO_FAULT_GUARD)";
    TempDir dir;
    std::vector<PageSpec> pages = {FaxPage(COMPRESSION_CCITTFAX3, 40, 1),
                                   FaxPage(COMPRESSION_CCITTFAX3, 50, 2)};
    pages[1].extraTags = [](TIFF* tif) { TIFFSetField(tif, TIFFTAG_DOCUMENTNAME, kFaultMarker); };
    ASSERT_TRUE(WriteTiff(dir.Path("in.tif"), pages));
    const CopyOptions options = ProgramOptions();
    {
        ScopedFaultingTags faulting;
        EXPECT_EQ(0, CopyInToOut(dir, options));
    }
    EXPECT_EQ(1, LastCopyReport().abandonedDirectories);
    EXPECT_EQ(1, CountDirectories(dir.Path("out.tif")));
    TiffHandle out = OpenForReading(dir.Path("out.tif"));
    ASSERT_TRUE(out);
    EXPECT_EQ(PagePixels(pages[0]), ReadPixels(out.get()));
}
} // namespace
