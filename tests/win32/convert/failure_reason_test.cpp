// Every failure has a value of its own and a reason in words a user can act on.
#include "convert/conversion_result.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {
TEST(FailureReason, EachKindHasItsOwnValueAndWords) {
    const struct {
        int result;
        const char* reason; // the whole reason, or how it starts
        const char* description = "";
        int pagesCopied = 3; // of 5
        HRESULT error = E_FAIL;
    } kinds[] = {
        {kCopyDirectoryFailed, "A page could not be written"},
        {kConverterNotStarted, "The fax viewer program AWDVSTUB.EXE could not be started"},
        {kCopyOutputNotOpened, "The output folder cannot be written"},
        {kCopyInputNotOpened, "The renderer wrote something that is not a readable TIFF"},
        {kConverterWaitFailed, "Waiting for the fax viewer program failed"},
        {kNoRenderer,
         "No AWD renderer on this system: put AWDVSTUB.EXE next to Tarnvel.exe (copy it from "
         "i386\\win9xmig\\fax on a Windows 2000 or XP disc)",
         "", 3, S_OK},
        // The system's words for the result, which differ between systems; checked below.
        {kNoRenderer, "No AWD renderer on this system: the imaging control could not be created (", "", 3,
         HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND)},
        {kNoRenderer,
         "No AWD renderer on this system: the imaging control could not be created (error 0x8FFF0001); put "
         "AWDVSTUB.EXE next to Tarnvel.exe",
         "", 3, static_cast<HRESULT>(0x8FFF0001)},
        {kControlCallFailed, "The imaging control could not convert the document (error 0x80004005)"},
        {kControlCallFailed, "The imaging control reported: Disk full.", "Disk full."},
        {kNothingRendered, "The renderer wrote no TIFF"},
        {kRenderedFileCut, "The renderer's TIFF ends early"},
        {kTempFileInUse, "The temporary file zq4intmp.tif cannot be replaced"},
        {kNoTempFile, "The temporary folder's path is too long"},
        {kPagesLost, "2 of 5 pages could not be copied"},
        {kPagesLost, "Some pages are damaged and could not be read whole", "", 5},
        {kOutputNotPlaced, "The output file cannot be replaced"},
        {kPathTooLong, "The path is longer than 259 characters"},
        {kCommandLineTooLong, "The paths are too long for the fax viewer program"},
        {kSourceGone, "The AWD file is no longer there"},
        {kSourceUnreadable, "The AWD file cannot be opened for reading"},
        {kStopped, "The conversion was stopped before the renderer finished"},
        {kPdfNotWritten, "The PDF could not be written"},
        {kPdfPageRefused, "A page could not be put into the PDF"},
        {kPdfPagesNotWritten, "The pages could not be written to the temporary folder"},
        {kPdfPagesNotRead, "The pages written to the temporary folder for the PDF could not be read back"},
    };
    std::set<int> values{kConverted};
    std::set<std::string> reasons;
    for (const auto& kind : kinds) {
        ConversionOutcome outcome{kind.result, kind.error, kind.description, 5, kind.pagesCopied};
        const std::string reason = FailureReason(outcome).GetString();
        EXPECT_EQ(reason.rfind(kind.reason, 0), 0u) << kind.result << ": " << reason;
        EXPECT_TRUE(reasons.insert(reason).second) << reason;
        if (&kind == kinds || kind.result != (&kind - 1)->result) { // each value's first entry
            EXPECT_TRUE(values.insert(kind.result).second) << "value " << kind.result << " has two meanings";
        }
    }
    EXPECT_EQ(FailureReason(ConversionOutcome{}), "");
    const std::string words =
        FailureReason(ConversionOutcome{kNoRenderer, HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND), "", 0, 0})
            .GetString();
    EXPECT_EQ(words.find("error 0x"), std::string::npos) << words;
    EXPECT_NE(words.find("); put AWDVSTUB.EXE next to Tarnvel.exe"), std::string::npos) << words;
}
} // namespace
