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
    } kinds[] = {
        {kCopyDirectoryFailed, "A page could not be written"},
        {kConverterNotStarted, "The fax viewer program AWDVSTUB.EXE could not be started"},
        {kCopyOutputNotOpened, "The output folder cannot be written"},
        {kCopyInputNotOpened, "The renderer wrote something that is not a readable TIFF"},
        {kConverterWaitFailed, "Waiting for the fax viewer program failed"},
        {kNoRenderer, "No AWD renderer on this system: put AWDVSTUB.EXE next to Tarnvel.exe"},
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
    };
    std::set<int> values{kConverted};
    std::set<std::string> reasons;
    for (const auto& kind : kinds) {
        ConversionOutcome outcome{kind.result, E_FAIL, kind.description, 5, kind.pagesCopied};
        const std::string reason = FailureReason(outcome).GetString();
        EXPECT_EQ(reason.rfind(kind.reason, 0), 0u) << kind.result << ": " << reason;
        EXPECT_TRUE(reasons.insert(reason).second) << reason;
        if (!*kind.description && kind.pagesCopied == 3) { // each value's first entry
            EXPECT_TRUE(values.insert(kind.result).second) << "value " << kind.result << " has two meanings";
        }
    }
    EXPECT_EQ(FailureReason(ConversionOutcome{}), "");
}
} // namespace
