#include "app/command_line.h"

#include <vector>

const char kUsageText[] =
    "Tarnvel [folder]\n"
    "    Opens the window with the folder selected.\n\n"
    "Tarnvel /convert folder [/out folder] [/pdf] [/subfolders] [/skip] [/report file]\n"
    "    Converts every AWD file of the folder, without a window:\n"
    "    /out folder\tinto this folder (else beside the AWD files)\n"
    "    /pdf\t\tinto PDF files instead of TIFF files\n"
    "    /subfolders\tand those of every folder below it\n"
    "    /skip\t\tskipping the files whose output is no older than they are\n"
    "    /report file\twith one line per file written to this file\n\n"
    "    Ends with 0 when every file was converted or skipped, 1 when any failed, and 2 when nothing "
    "could be converted (the command line or the folder is unusable).\n\n"
    "Options may be written in any case and with - instead of /. Put a path with blanks in quotes.";

namespace {
bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

// Blanks outside quotes separate the words; quotes only group, and go. A backslash is a plain
// character: no name can hold a quote, so nothing needs escaping, and "C:\" stays a drive root.
std::vector<CStringW> SplitWords(const wchar_t* text) {
    std::vector<CStringW> words;
    const wchar_t* c = text ? text : L"";
    for (;;) {
        while (IsBlank(*c))
            ++c;
        if (!*c)
            return words;
        CStringW word;
        bool quoted = false;
        for (; *c && (quoted || !IsBlank(*c)); ++c) {
            if (*c == L'"')
                quoted = !quoted;
            else
                word += *c;
        }
        words.push_back(word);
    }
}

// The option's name in lower case ("out" of "-OUT"); empty for a word that is no option.
CStringW OptionName(const CStringW& word) {
    const wchar_t* text = word.GetString();
    if (word.GetLength() < 2 || (text[0] != L'/' && text[0] != L'-'))
        return CStringW();
    CStringW name;
    for (const wchar_t* c = text + 1; *c; ++c)
        name += (*c >= L'A' && *c <= L'Z') ? static_cast<wchar_t>(*c + 32) : *c;
    return name;
}

struct Flag {
    const wchar_t* name;
    bool CommandLine::*field;
};
constexpr Flag kFlags[] = {
    {L"pdf", &CommandLine::pdf}, {L"subfolders", &CommandLine::subfolders}, {L"skip", &CommandLine::skip}};

struct Value {
    const wchar_t* name;
    CStringW CommandLine::*field;
    const wchar_t* what;
};
const Value kValues[] = {{L"out", &CommandLine::output, L"a folder"},
                         {L"report", &CommandLine::report, L"a file"}};

class Parser {
public:
    explicit Parser(const wchar_t* arguments) : m_words(SplitWords(arguments)) {}

    CommandLine Parse() {
        for (const CStringW& word : m_words)
            if (OptionName(word) == L"?") {
                m_asked.mode = CommandLine::Mode::Usage;
                return m_asked;
            }
        for (m_next = 0; m_next < m_words.size() && m_asked.error.IsEmpty();)
            Take(m_words[m_next++]);
        if (!m_asked.error.IsEmpty())
            return m_asked;
        if (m_asked.mode == CommandLine::Mode::Convert && m_asked.folder.IsEmpty())
            m_asked.error = L"/convert needs the folder to convert.";
        else if (m_asked.mode == CommandLine::Mode::Window && !m_convertOnly.IsEmpty())
            m_asked.error = L"/" + m_convertOnly + L" is only for /convert.";
        return m_asked;
    }

private:
    void Take(const CStringW& word) {
        const CStringW name = OptionName(word);
        if (name.IsEmpty())
            return TakeFolder(word);
        if (name == L"convert") {
            m_asked.mode = CommandLine::Mode::Convert;
            return;
        }
        for (const Flag& flag : kFlags)
            if (name == flag.name) {
                m_asked.*flag.field = true;
                m_convertOnly = name;
                return;
            }
        for (const Value& value : kValues)
            if (name == value.name)
                return TakeValue(value);
        m_asked.error = L"Unknown option: " + word;
    }

    void TakeFolder(const CStringW& word) {
        if (word.IsEmpty())
            m_asked.error = L"An empty folder name was given.";
        else if (!m_asked.folder.IsEmpty())
            m_asked.error = L"Two folders were given, \"" + m_asked.folder + L"\" and \"" + word +
                            L"\": put a path with blanks in quotes.";
        else
            m_asked.folder = word;
    }

    void TakeValue(const Value& value) {
        CStringW& field = m_asked.*value.field;
        if (m_next >= m_words.size() || m_words[m_next].IsEmpty() || !OptionName(m_words[m_next]).IsEmpty())
            m_asked.error = L"/" + CStringW(value.name) + L" needs " + value.what + L" after it.";
        else if (!field.IsEmpty())
            m_asked.error = L"/" + CStringW(value.name) + L" was given twice.";
        else
            field = m_words[m_next++];
        m_convertOnly = value.name;
    }

    const std::vector<CStringW> m_words;
    size_t m_next = 0;
    CommandLine m_asked;
    CStringW m_convertOnly; // the last option given that only /convert takes
};
} // namespace

CommandLine ParseCommandLine(const wchar_t* arguments) {
    return Parser(arguments).Parse();
}
