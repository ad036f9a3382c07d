#include "convert/batch_job.h"

CopyOptions BatchCopyOptions() {
    CopyOptions options{};
    options.nCompression = 6;
    options.nJpegQuality = 75;
    options.nTiling = -1;
    return options;
}

CStringW PrepareOutputFolder(const wchar_t* typed, const wchar_t* sourceFolder) {
    const CStringW folder = ResolveOutputFolder(typed, sourceFolder);
    return !folder.IsEmpty() && MakeFolderPath(folder) ? folder : CStringW(sourceFolder);
}
