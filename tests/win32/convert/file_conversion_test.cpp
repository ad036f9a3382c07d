// One file's conversion with renderers that fail as real ones do: each failure says why, no
// renderer is started for a source that cannot be read, and an earlier output of the same name,
// TIFF or PDF, survives byte for byte.
#include "conversion_fixture.h"

#include "app/environment.h"
#include "convert/convert_awd_file.h"
#include "convert/converter_program.h"
#include "convert/library_paths.h"
#include "convert/renderer.h"
#include "doubles/doubles_log.h"
#include "framework/handle.h"
#include "support/tiff_writer.h"
#include "tiffcopy/file_open.h"
#include "win32/wide_text.h"

namespace {
// Writes into the temporary file what the test says, as a renderer that ran would have.
struct ScriptedRenderer : Renderer {
    explicit ScriptedRenderer(std::function<void(const std::string&)> script) : write(std::move(script)) {}
    int Render(const wchar_t*, const wchar_t* target, const StopRequest&, ConversionOutcome&) override {
        ++calls;
        write(Utf8(target));
        return kConverted;
    }
    std::function<void(const std::string&)> write;
    int calls = 0;
};

// Opens `path` so that others may read it but neither write, delete nor rename it.
CHandle Hold(const std::string& path, DWORD share = FILE_SHARE_READ) {
    return CHandle(
        ::CreateFileW(Wide(path).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr));
}

class FileConversion : public ConversionTest {
protected:
    void SetUp() override {
        ConversionTest::SetUp();
        m_fax = Folder("fax");
        m_out = Folder("out");
        WriteFaxFixture(m_fax + "\\doc.awd", 3, 4);
        WriteText(m_out + "\\doc.pdf", "earlier");
        WriteText(m_out + "\\doc.tif", "earlier");
    }

    std::string Output(OutputFormat format) const {
        return m_out + (format == OutputFormat::Pdf ? "\\doc.pdf" : "\\doc.tif");
    }
    int Convert(Renderer& renderer, const std::string& source, ConversionOutcome& outcome,
                OutputFormat format = OutputFormat::Tiff) {
        return ConvertAwdFile(renderer, TempTiffPath, CopyOptions{6, 75, 0, -1, 0}, Wide(source).c_str(),
                              Wide(Output(format)).c_str(), m_stop, outcome, format);
    }
    void ExpectConverts(Renderer& renderer, const std::string& source) {
        ConversionOutcome outcome;
        EXPECT_EQ(Convert(renderer, source, outcome), kConverted) << FailureReason(outcome);
        EXPECT_EQ(ReadFaxPages(m_out + "\\doc.tif"), ReadFaxPages(source));
    }
    // Each format's earlier output, and no scratch file (a PDF's pages go beside the temporary file).
    void ExpectEarlierOutputsKept() {
        EXPECT_EQ(ReadFile(m_out + "\\doc.pdf"), "earlier");
        EXPECT_EQ(ReadFile(m_out + "\\doc.tif"), "earlier");
        EXPECT_EQ(ListFiles(m_out).size(), 2u) << "a scratch file was left";
        EXPECT_EQ(ListFiles(ProcessFolder(), "tnv*"), std::vector<std::string>{})
            << "a scratch file was left";
    }

    std::string m_fax;
    std::string m_out;
    StopRequest m_stop;
};

// What each result means in words is the reasons' own test (failure_reason_test.cpp).
TEST_F(FileConversion, EachFailureKeepsTheEarlierOutputAndOnlyAReadableSourceIsRendered) {
    const std::string doc = m_fax + "\\doc.awd";
    const auto renderAs = [&](const std::string& target) { CopyFixture(doc, target); };
    const auto none = [](const std::string&) {};
    OutputFormat format = OutputFormat::Tiff; // of the round under way
    const struct Kind {
        std::string source;
        std::function<void(const std::string&)> write;
        std::function<CHandle()> hold; // held during the conversion
        int result;
        int calls; // of the renderer
    } kinds[] = {
        {m_fax + "\\deleted.awd", renderAs, nullptr, kSourceGone, 0},
        {m_root + "\\gone\\doc.awd", renderAs, nullptr, kSourceGone, 0},
        {doc, renderAs, [&] { return Hold(doc, 0); }, kSourceUnreadable, 0},
        {doc, none, nullptr, kNothingRendered, 1},
        {doc,
         [&](const std::string& target) {
             renderAs(target);
             doubles::Truncate(target.c_str());
         },
         nullptr, kRenderedFileCut, 1},
        {doc, [](const std::string& target) { WriteText(target, "%PDF-1.4 not a fax"); }, nullptr,
         kCopyInputNotOpened, 1},
        {doc,
         [&](const std::string& target) {
             renderAs(target);
             // The second page's strip past the end of the file: reading it fails.
             ASSERT_TRUE(PatchDirectoryValue(target, 1, TIFFTAG_STRIPOFFSETS, 1u << 20));
         },
         nullptr, kPagesLost, 1},
        {doc, none,
         [] {
             WriteText(Utf8(TempTiffPath), "held");
             return Hold(Utf8(TempTiffPath));
         },
         kTempFileInUse, 0},
        {doc, renderAs, [&] { return Hold(Output(format)); }, kOutputNotPlaced, 1},
    };
    for (const OutputFormat kindOfOutput : {OutputFormat::Tiff, OutputFormat::Pdf}) {
        format = kindOfOutput;
        for (const Kind& kind : kinds) {
            SCOPED_TRACE(Output(format) + ", result " + std::to_string(kind.result));
            ScriptedRenderer renderer(kind.write);
            ConversionOutcome outcome;
            {
                const CHandle held = kind.hold ? kind.hold() : CHandle();
                EXPECT_EQ(Convert(renderer, kind.source, outcome, format), kind.result);
            }
            EXPECT_EQ(outcome.result, kind.result);
            EXPECT_EQ(renderer.calls, kind.calls);
            if (kind.result == kPagesLost) { // every page rendered, and one damaged
                EXPECT_EQ(std::string(FailureReason(outcome)).rfind("Some pages are damaged", 0), 0u);
            }
            ExpectEarlierOutputsKept();
            ::DeleteFileW(TempTiffPath);
        }
    }
    ScriptedRenderer renderer(renderAs);
    ExpectConverts(renderer, doc); // a source that reads again
}

// Short paths where the long ones do not fit the program's command line; a comma in the temporary
// folder, which the copier would read as the start of an image list.
TEST_F(FileConversion, TheFaxViewerProgramGetsShortPathsAndACommaInTheTemporaryFolder) {
    // 253 characters, which Windows accepts, and too long for the program's command line beside
    // the temporary path.
    const std::string folder = Folder(std::string(230 - m_root.size(), 'l').c_str());
    const std::string source = folder + "\\" + std::string(253 - folder.size() - 5, 'd') + ".awd";
    ASSERT_EQ(source.size(), 253u);
    CopyFixture(m_fax + "\\doc.awd", source);
    // A temporary folder as long: both paths need their short forms, the temporary file's (which
    // does not exist yet) made from its folder's.
    const std::string temp = Folder(std::string(240 - m_root.size(), 't').c_str());
    SetPath(TempTiffPath, temp + "\\zq4intmp.tif");
    ConverterProgram program(Wide(ProgramFolder() + "\\doubles\\AWDVSTUB.EXE").c_str());
    ExpectConverts(program, source);
    const auto stub = StubLog();
    ASSERT_EQ(stub.size(), 1u);
    EXPECT_LT(stub[0].size(), 300u);

    ::DeleteFileW(TempTiffPath);
    SetPath(TempTiffPath, Folder("temp,1") + "\\zq4intmp.tif");
    ExpectConverts(program, m_fax + "\\doc.awd");

    // Gone since the batch found it: the reason has the system's cause and where a copy that runs goes.
    ConverterProgram gone(Wide(Folder("gone") + "\\AWDVSTUB.EXE").c_str());
    ConversionOutcome outcome;
    EXPECT_EQ(Convert(gone, m_fax + "\\doc.awd", outcome), kConverterNotStarted);
    EXPECT_EQ(outcome.error, HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    EXPECT_NE(std::string(FailureReason(outcome)).find("next to Tarnvel.exe"), std::string::npos);
}

// Refuses a PDF's pages in the temporary folder (its "tnv" files; the PDF's own goes through the
// stream opener) in one mode, as a full disk or a program holding them would.
struct RefusedPages {
    static TIFF* Open(const char* path, const char* mode, TIFFOpenOptions* options) {
        const bool pages = std::strstr(path, "\\tnv") != nullptr;
        return pages && mode[0] == refused ? nullptr : library.tiff(path, mode, options);
    }
    static std::FILE* Stream(const char* path, const char* mode) { return library.stream(path, mode); }
    static inline FileOpeners library{};
    static inline char refused = 0;
};

TEST_F(FileConversion, APdfsPagesTheTemporaryFolderDoesNotKeepBlameThatFolder) {
    LibraryPath(L""); // the program's openers first
    RefusedPages::library = SetFileOpeners({&RefusedPages::Open, &RefusedPages::Stream});
    const ScopedUndo restore([] { SetFileOpeners(RefusedPages::library); });
    for (const auto& [mode, result] :
         {std::pair{'w', kPdfPagesNotWritten}, std::pair{'r', kPdfPagesNotRead}}) {
        RefusedPages::refused = mode;
        ScriptedRenderer renderer(
            [&](const std::string& target) { CopyFixture(m_fax + "\\doc.awd", target); });
        ConversionOutcome outcome;
        EXPECT_EQ(Convert(renderer, m_fax + "\\doc.awd", outcome, OutputFormat::Pdf), result);
        EXPECT_NE(std::string(FailureReason(outcome)).find("temporary folder"), std::string::npos);
        ExpectEarlierOutputsKept();
    }
}
} // namespace
