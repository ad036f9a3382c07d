#include "win32/answer_probe.h"

double Now() {
    LARGE_INTEGER frequency, count;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

AnswerProbe::AnswerProbe(HWND window, DWORD intervalMs, std::function<bool()> running)
    : m_running(std::move(running)), m_thread([this, window, intervalMs] { Run(window, intervalMs); }) {}

AnswerProbe::~AnswerProbe() {
    m_stop = true;
    m_thread.join();
}

void AnswerProbe::Run(HWND window, DWORD intervalMs) {
    while (!m_stop && (!m_running || m_running())) {
        const double start = Now();
        DWORD_PTR result = 0;
        ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result);
        const double took = Now() - start;
        m_worst = took > m_worst ? took : m_worst;
        ++m_samples;
        ::Sleep(intervalMs);
    }
}
