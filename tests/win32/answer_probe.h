// How quickly a window's thread answers: a thread of the probe's own sends the window a message
// every `intervalMs` while the probe lives (and while `running`, when given, says so), and keeps
// the slowest round trip.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

// The performance counter's time in seconds.
double Now();

class AnswerProbe {
public:
    AnswerProbe(HWND window, DWORD intervalMs, std::function<bool()> running = nullptr);
    ~AnswerProbe();
    AnswerProbe(const AnswerProbe&) = delete;
    AnswerProbe& operator=(const AnswerProbe&) = delete;

    // After the probe has ended (or while it runs, as far as it has come).
    double WorstMs() const { return m_worst * 1000.0; }
    int Samples() const { return m_samples; }

private:
    void Run(HWND window, DWORD intervalMs);

    std::function<bool()> m_running;
    std::atomic<bool> m_stop{false};
    double m_worst = 0;
    int m_samples = 0;
    std::thread m_thread;
};
