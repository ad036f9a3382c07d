// The skip benchmark: a second run with "Skip converted" through the real dialog over 10,000 AWD
// files whose outputs are in place and newer: every row "Skipped" within 2 s of Go (the listing
// before it is timed apart), with a probe of how quickly the window thread answers meanwhile.
// Ends with 3 when a target is missed.
#include "../win32/convert/conversion_fixture.h"

#include "ui/resource.h"
#include "win32/answer_probe.h"

#include <commctrl.h>
#include <ole2.h>

#include <cstdio>
#include <memory>

namespace {
constexpr int kFiles = 10000;
constexpr double kTargetSeconds = 2.0;
constexpr double kAnswerTargetMs = 100.0;


// The documents of 2010 and, in `out`, their outputs of now.
bool MakeFiles(const std::string& fax, const std::string& out) {
    SYSTEMTIME old{};
    old.wYear = 2010;
    old.wMonth = 1;
    old.wDay = 1;
    FILETIME documents;
    ::SystemTimeToFileTime(&old, &documents);
    char name[32];
    for (int i = 0; i < kFiles; ++i) {
        std::snprintf(name, sizeof(name), "\\f%05d", i);
        if (!WriteText(fax + name + ".awd", "awd") || !WriteText(out + name + ".tif", "tif"))
            return false;
        const HANDLE file = ::CreateFileA((fax + name + ".awd").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        const bool set = ::SetFileTime(file, nullptr, nullptr, &documents) != FALSE;
        ::CloseHandle(file);
        if (!set)
            return false;
    }
    return true;
}
} // namespace

int main() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    ::OleInitialize(nullptr);
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    const std::string root = std::string(temp) + "tarnvel-bench-skip";
    const std::string fax = root + "\\fax";
    const std::string out = root + "\\out";
    RemoveTree(root);
    for (const std::string& folder : {root, fax, out})
        ::CreateDirectoryA(folder.c_str(), nullptr);
    if (!MakeFiles(fax, out)) {
        std::printf("skip converted: the files could not be made in %s\n", root.c_str());
        RemoveTree(root);
        return 1;
    }
    double listing = 0, batch = 0, worstMs = 0;
    int skipped = 0, samples = 0;
    WithMainDialog(
        [&](HWND dialog) {
            const double selected = Now();
            SelectFolder(dialog, fax);
            listing = Now() - selected;
            TickAll(dialog);
            TypeOutputFolder(dialog, out);
            ::SendMessageA(::GetDlgItem(dialog, IDC_SKIP_CONVERTED), BM_CLICK, 0, 0);
            auto probe = std::make_unique<AnswerProbe>(dialog, 20);
            const double go = Now();
            const bool ended = RunBatch(dialog, 600000);
            batch = Now() - go;
            worstMs = probe->WorstMs();
            samples = probe->Samples();
            probe.reset();
            for (const auto& row : ResultsOf(dialog))
                skipped += ended && row.second == "Skipped";
        },
        3600000);
    RemoveTree(root);
    ::OleUninitialize();

    const bool fast = batch <= kTargetSeconds;
    const bool answering = worstMs < kAnswerTargetMs;
    std::printf("skip converted: listing %d files took %.2f s\n", kFiles, listing);
    std::printf("skip converted: %d of %d rows \"Skipped\" in %.2f s after Go (target <= %.1f s): %s\n",
                skipped, kFiles, batch, kTargetSeconds, fast ? "met" : "MISSED");
    std::printf("skip converted: window thread worst response %.1f ms over %d probes, one every 20 ms "
                "(target < 100 ms): %s\n",
                worstMs, samples, answering ? "met" : "MISSED");
    if (skipped != kFiles)
        return 1;
    return fast && answering ? 0 : 3;
}
