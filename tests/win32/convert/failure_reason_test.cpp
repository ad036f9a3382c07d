// Every failure has a value of its own and a reason in words a user can act on.
#include "convert/conversion_result.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {
TEST(FailureReason, EachKindHasItsOwnValueAndWords) {
    const struct {
        int result;
        const char* reason; // the whole reason, or its start when it goes on
    } kinds[] = {
        {kCopyDirectoryFailed, "A page could not be written"},
        {kConverterNotStarted, "The fax viewer program AWDVSTUB.EXE could not be started"},
        {kCopyOutputNotOpened, "The output folder cannot be written"},
        {kCopyInputNotOpened, "The renderer wrote something that is not a readable TIFF"},
        {kConverterWaitFailed, "Waiting for the fax viewer program failed"},
        {kNoRenderer, "No AWD renderer on this system: put AWDVSTUB.EXE next to Tarnvel.exe"},
        {kControlCallFailed, "The imaging control could not convert the document (error 0x80004005)"},
        {kNothingRendered, "The renderer wrote no TIFF"},
        {kRenderedFileCut, "The renderer's TIFF ends early"},
        {kTempFileInUse, "The temporary file zq4intmp.tif cannot be replaced"},
        {kNoTempFile, "The temporary folder's path is too long"},
        {kPagesLost, "2 of 5 pages could not be copied"},
        {kOutputNotPlaced, "The output file cannot be replaced"},
        {kPathTooLong, "The path is longer than 259 characters"},
        {kCommandLineTooLong, "The paths are too long for the fax viewer program"},
    };
    std::set<int> values{kConverted};
    std::set<std::string> reasons;
    for (const auto& kind : kinds) {
        ConversionOutcome outcome;
        outcome.result = kind.result;
        outcome.error = E_FAIL;
        outcome.pages = 5;
        outcome.pagesCopied = 3;
        const std::string reason = FailureReason(outcome).GetString();
        EXPECT_EQ(reason.rfind(kind.reason, 0), 0u) << kind.result << ": " << reason;
        EXPECT_TRUE(values.insert(kind.result).second) << "value " << kind.result << " has two meanings";
        EXPECT_TRUE(reasons.insert(reason).second) << reason;
    }
    EXPECT_EQ(FailureReason(ConversionOutcome{}), "");
}

TEST(FailureReason, TheControlsOwnWordsAndDamagedPagesAreTold) {
    ConversionOutcome control;
    control.result = kControlCallFailed;
    control.error = DISP_E_EXCEPTION;
    control.description = "The document could not be saved.";
    EXPECT_EQ(FailureReason(control), "The imaging control reported: The document could not be saved.");
    ConversionOutcome damaged;
    damaged.result = kPagesLost;
    damaged.pages = damaged.pagesCopied = 4;
    EXPECT_EQ(FailureReason(damaged), "Some pages are damaged and could not be read whole");
}
} // namespace
