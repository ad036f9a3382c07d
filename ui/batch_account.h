// The one line under the list that tells how a batch goes and how it went.
#pragma once

#include "convert/batch_report.h"
#include "framework/cstring.h"

// While a batch runs: "Converting 17 of 240...", the ticked file in hand of the ticked files.
CString BatchProgressText(unsigned inHand, unsigned files);
// When it has ended: "238 converted, 2 failed, 5 skipped in 4 min 10 s", then "; stopped: n not
// reached" and "; n subfolders could not be read" where they apply.
CString BatchAccountText(const BatchSummary& summary, unsigned unreadableFolders);
