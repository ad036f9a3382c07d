// Puts back what a test changed when its scope ends: the base of the tests' Scoped... classes.
#pragma once

#include <functional>
#include <utility>

class ScopedUndo {
public:
    explicit ScopedUndo(std::function<void()> undo) : m_undo(std::move(undo)) {}
    ~ScopedUndo() { m_undo(); }
    ScopedUndo(const ScopedUndo&) = delete;
    ScopedUndo& operator=(const ScopedUndo&) = delete;

private:
    std::function<void()> m_undo;
};
