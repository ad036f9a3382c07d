// The line that tells how a batch went, from the batch's figures.
#include "ui/batch_account.h"

#include <gtest/gtest.h>

#include <string>

TEST(BatchAccount, CountsWhatHappenedInTheTimeItTookAndWhatWasLeft) {
    const struct {
        BatchSummary summary; // converted, failed, skipped, not reached, stopped, ms
        unsigned unreadable;
        const char* text;
    } cases[] = {
        {{238, 2, 0, 0, false, 250000}, 0, "238 converted, 2 failed in 4 min 10 s"},
        {{240, 0, 0, 0, false, 1}, 6, "240 converted in 1 s; 6 subfolders could not be read"},
        {{10, 1, 5, 0, false, 3659001}, 0, "10 converted, 1 failed, 5 skipped in 1 h 1 min"},
        {{4, 0, 0, 0, true, 9000}, 1, "4 converted in 9 s; 1 subfolder could not be read"},
        {{1, 0, 2, 3, true, 59001}, 0, "1 converted, 2 skipped in 1 min 0 s; stopped: 3 not reached"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(BatchAccountText(c.summary, c.unreadable)), c.text);
}
