#include "convert/conversion_result.h"

namespace {
// The system's words for `error`, or its number where the system has none.
CString SystemMessage(HRESULT error) {
    char text[256] = "";
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                    static_cast<DWORD>(error), 0, text, sizeof(text), nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == '.' ||
                          text[length - 1] == ' '))
        text[--length] = '\0';
    CString message;
    if (length > 0)
        message = text;
    else
        message.Format("error 0x%08lX", static_cast<unsigned long>(error));
    return message;
}

// Where the fax viewer program belongs, and where a user finds a copy.
const char kPutTheProgramBesideTarnvel[] =
    "put AWDVSTUB.EXE next to Tarnvel.exe (copy it from i386\\win9xmig\\fax on a Windows 2000 or XP disc)";

struct Reason {
    int result;
    const char* text;
};
constexpr Reason kReasons[] = {
    {kCopyDirectoryFailed, "A page could not be written to the output file: is the disk full?"},
    {kCopyOutputNotOpened, "The output folder cannot be written: choose another with Save Dir"},
    {kCopyInputNotOpened,
     "The renderer wrote something that is not a readable TIFF: is the AWD file damaged?"},
    {kConverterWaitFailed, "Waiting for the fax viewer program failed: convert the file again"},
    {kNothingRendered, "The renderer wrote no TIFF: is the AWD file damaged?"},
    {kRenderedFileCut, "The renderer's TIFF ends early: is the disk of the temporary folder full?"},
    {kTempFileInUse,
     "The temporary file zq4intmp.tif cannot be replaced: close the program that has it open"},
    {kTempFileBusy, "The batch stopped while another Tarnvel window was using the temporary file: convert "
                    "the file again"},
    {kNoTempFile, "The temporary folder's path is too long to hold zq4intmp.tif: point TEMP at a folder with "
                  "a shorter path"},
    {kOutputNotPlaced, "The output file cannot be replaced: close the program that has it open"},
    {kPathTooLong, "The path is longer than 259 characters: use a shorter folder or name"},
    {kCommandLineTooLong, "The paths are too long for the fax viewer program: use a shorter folder or name"},
    {kSourceGone,
     "The AWD file is no longer there (moved, deleted, or its network share is gone): select its "
     "folder again"},
    {kSourceUnreadable,
     "The AWD file cannot be opened for reading: check that you may read it and that no program holds it"},
    {kStopped, "The conversion was stopped before the renderer finished: convert the file again"},
    {kPdfNotWritten, "The PDF could not be written: is the disk full?"},
    {kPdfPagesNotWritten,
     "The pages could not be written to the temporary folder on their way into the PDF: is its disk full?"},
    {kPdfPagesNotRead,
     "The pages written to the temporary folder for the PDF could not be read back (does a virus scanner "
     "hold them?): convert the file again"},
    {kPdfPageRefused, "A page could not be put into the PDF: untick PDF to get a TIFF"},
    {kTempPathNotInCodePage,
     "The temporary folder's name has letters the AWD renderer cannot read: point TEMP at a folder with a "
     "plain name"},
    {kOutputFolderNotMade,
     "The folder for this output cannot be made in the output folder (a file of that name is in the way, or "
     "you may not write there): choose another with Save Dir"},
    {kSourceNotCopied,
     "The AWD file's name has letters the AWD renderer cannot read, and it could not be copied to the "
     "temporary folder: is the disk full?"},
    {kControlStuck,
     "The imaging control is still busy with a document it was stopped in: convert again later, or start "
     "Tarnvel again"},
};
} // namespace

CString FailureReason(const ConversionOutcome& outcome) {
    CString text;
    switch (outcome.result) {
    case kConverted:
        return text;
    case kPagesLost:
        if (outcome.pagesCopied < outcome.pages)
            text.Format("%d of %d pages could not be copied", outcome.pages - outcome.pagesCopied,
                        outcome.pages);
        else
            text = "Some pages are damaged and could not be read whole";
        return text + ": open the AWD file in the fax viewer to check it";
    case kConverterNotStarted:
        // A copy that does not run here (damaged, or made for another system) says so in the
        // system's words.
        text = "The fax viewer program AWDVSTUB.EXE could not be started";
        if (FAILED(outcome.error))
            text += " (" + SystemMessage(outcome.error) + ")";
        return text +
               ": put a copy that runs next to Tarnvel.exe (from i386\\win9xmig\\fax on a Windows 2000 or "
               "XP disc)";
    case kNoRenderer:
        text = "No AWD renderer on this system: ";
        // Why the control is missing tells the user whether installing it would help.
        if (FAILED(outcome.error))
            text += "the imaging control could not be created (" + SystemMessage(outcome.error) + "); ";
        text += kPutTheProgramBesideTarnvel;
        return text;
    case kControlCallFailed:
        // The control's description, when it gives one, says more than its error number.
        if (!outcome.description.IsEmpty())
            text = "The imaging control reported: " + outcome.description;
        else
            text.Format("The imaging control could not convert the document (error 0x%08lX): is the AWD file "
                        "damaged?",
                        static_cast<unsigned long>(outcome.error));
        return text;
    default:
        break;
    }
    for (const Reason& reason : kReasons)
        if (reason.result == outcome.result)
            return reason.text;
    text.Format("The conversion failed (%d)", outcome.result);
    return text;
}
