#include "framework/window_map.h"

#include <unordered_map>

namespace {
class WindowMap {
public:
    WindowMap() { ::InitializeCriticalSection(&m_lock); }
    WindowMap(const WindowMap&) = delete;
    WindowMap& operator=(const WindowMap&) = delete;

    CWnd* Find(HWND hWnd) {
        const Lock lock(m_lock);
        auto found = m_objects.find(hWnd);
        return found == m_objects.end() ? nullptr : found->second;
    }
    bool Bind(HWND hWnd, CWnd* wnd) {
        const Lock lock(m_lock);
        return m_objects.emplace(hWnd, wnd).second;
    }
    void Unbind(HWND hWnd) {
        const Lock lock(m_lock);
        m_objects.erase(hWnd);
    }

private:
    class Lock {
    public:
        explicit Lock(CRITICAL_SECTION& section) : m_section(section) { ::EnterCriticalSection(&m_section); }
        ~Lock() { ::LeaveCriticalSection(&m_section); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        CRITICAL_SECTION& m_section;
    };

    CRITICAL_SECTION m_lock;
    std::unordered_map<HWND, CWnd*> m_objects;
};

// Never destroyed: a window object destroyed during the process's exit may still unbind.
WindowMap& Map() {
    static WindowMap* map = new WindowMap;
    return *map;
}
} // namespace

namespace windowmap {
CWnd* Find(HWND hWnd) {
    return hWnd ? Map().Find(hWnd) : nullptr;
}

bool Bind(HWND hWnd, CWnd* wnd) {
    return hWnd && wnd && Map().Bind(hWnd, wnd);
}

void Unbind(HWND hWnd) {
    if (hWnd)
        Map().Unbind(hWnd);
}
} // namespace windowmap
