// Message maps: each window class keeps a static const table of entries, scanned in order,
// that names the member handler for a message, a control's command or notification, or a
// notification reflected back to the control itself. The table entries are built by the
// small templates below, one per handler shape, which unpack wParam and lParam.
#pragma once

#include <windows.h>

#include <cstddef>

class CWnd;

#ifndef WM_CTLCOLOR
// The one message code that stands for all of WM_CTLCOLORMSGBOX .. WM_CTLCOLORSTATIC in a map.
#define WM_CTLCOLOR 0x0019
#endif
// Reflected messages are looked up in the control's own map under this offset.
constexpr UINT WM_REFLECT_BASE = 0xBC00;

using MessageHandler = LRESULT (*)(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam);

struct MessageMapEntry {
    UINT message; // WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR or any other; plus WM_REFLECT_BASE when reflected
    UINT code;    // notification code for WM_COMMAND and WM_NOTIFY entries
    UINT id;      // control or command id for WM_COMMAND and WM_NOTIFY entries
    MessageHandler handler;
};

struct MessageMap {
    const MessageMap* base; // the base class's map, searched after this one
    const MessageMapEntry* entries;
    size_t count;

    template <size_t N>
    constexpr MessageMap(const MessageMap* baseMap, const MessageMapEntry (&table)[N])
        : base(baseMap), entries(table), count(N) {}
    constexpr MessageMap(const MessageMap* baseMap) : base(baseMap), entries(nullptr), count(0) {}
};

namespace msgmap {
namespace detail {
template <class F> struct ClassOf;
template <class C, class R, class... A> struct ClassOf<R (C::*)(A...)> { using type = C; };
template <auto F> using Class = typename ClassOf<decltype(F)>::type;

template <auto F> Class<F>& Self(CWnd& wnd) {
    return static_cast<Class<F>&>(wnd);
}

inline POINT PointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

template <auto F> LRESULT Void(CWnd& wnd, UINT, WPARAM, LPARAM) {
    (Self<F>(wnd).*F)();
    return 0;
}
template <auto F> LRESULT Raw(CWnd& wnd, UINT, WPARAM wParam, LPARAM lParam) {
    return (Self<F>(wnd).*F)(wParam, lParam);
}
template <auto F> LRESULT Notify(CWnd& wnd, UINT, WPARAM, LPARAM lParam) {
    LRESULT result = 0;
    (Self<F>(wnd).*F)(reinterpret_cast<NMHDR*>(lParam), &result);
    return result;
}
template <auto F> LRESULT CtlColor(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return reinterpret_cast<LRESULT>((Self<F>(wnd).*F)(
        reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message - WM_CTLCOLORMSGBOX));
}
template <auto F> LRESULT ReflectedCtlColor(CWnd& wnd, UINT message, WPARAM wParam, LPARAM) {
    return reinterpret_cast<LRESULT>(
        (Self<F>(wnd).*F)(reinterpret_cast<HDC>(wParam), message - WM_CTLCOLORMSGBOX));
}
template <auto F> LRESULT SysCommand(CWnd& wnd, UINT, WPARAM wParam, LPARAM lParam) {
    (Self<F>(wnd).*F)(static_cast<UINT>(wParam), lParam);
    return 0;
}
template <auto F> LRESULT QueryDragIcon(CWnd& wnd, UINT, WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>((Self<F>(wnd).*F)());
}
template <auto F> LRESULT EraseBkgnd(CWnd& wnd, UINT, WPARAM wParam, LPARAM) {
    return (Self<F>(wnd).*F)(reinterpret_cast<HDC>(wParam));
}
template <auto F> LRESULT Mouse(CWnd& wnd, UINT, WPARAM wParam, LPARAM lParam) {
    (Self<F>(wnd).*F)(static_cast<UINT>(wParam), PointOf(lParam));
    return 0;
}
template <auto F> LRESULT SetCursor(CWnd& wnd, UINT, WPARAM wParam, LPARAM lParam) {
    return (Self<F>(wnd).*F)(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));
}
} // namespace detail

// Any message: LRESULT F(WPARAM, LPARAM).
template <auto F> constexpr MessageMapEntry Message(UINT message) {
    return {message, 0, 0, &detail::Raw<F>};
}
// WM_COMMAND from control or command `id` with notification `code` (BN_CLICKED is 0, as is a
// menu command): void F().
template <auto F> constexpr MessageMapEntry Command(UINT id, UINT code = BN_CLICKED) {
    return {WM_COMMAND, code, id, &detail::Void<F>};
}
// WM_NOTIFY from control `id` with code `code`: void F(NMHDR*, LRESULT* result).
template <auto F> constexpr MessageMapEntry Notify(UINT id, UINT code) {
    return {WM_NOTIFY, code, id, &detail::Notify<F>};
}
// A control's own WM_COMMAND notification, reflected back to it by the parent: void F().
template <auto F> constexpr MessageMapEntry ReflectCommand(UINT code) {
    return {WM_REFLECT_BASE + WM_COMMAND, code, 0, &detail::Void<F>};
}
// A control's own WM_NOTIFY, reflected back to it: void F(NMHDR*, LRESULT* result).
template <auto F> constexpr MessageMapEntry ReflectNotify(UINT code) {
    return {WM_REFLECT_BASE + WM_NOTIFY, code, 0, &detail::Notify<F>};
}
// The parent's WM_CTLCOLOR* for this control, reflected back to it: HBRUSH F(HDC, UINT ctlType);
// a null brush leaves the message to the parent's default handling.
template <auto F> constexpr MessageMapEntry ReflectCtlColor() {
    return {WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, &detail::ReflectedCtlColor<F>};
}
// WM_CTLCOLOR*: HBRUSH F(HDC, HWND control, UINT ctlType), ctlType as CTLCOLOR_EDIT etc.
template <auto F> constexpr MessageMapEntry CtlColor() {
    return {WM_CTLCOLOR, 0, 0, &detail::CtlColor<F>};
}
// WM_SYSCOMMAND: void F(UINT commandId, LPARAM).
template <auto F> constexpr MessageMapEntry SysCommand() {
    return {WM_SYSCOMMAND, 0, 0, &detail::SysCommand<F>};
}
// WM_PAINT: void F().
template <auto F> constexpr MessageMapEntry Paint() {
    return {WM_PAINT, 0, 0, &detail::Void<F>};
}
// WM_QUERYDRAGICON: HCURSOR F().
template <auto F> constexpr MessageMapEntry QueryDragIcon() {
    return {WM_QUERYDRAGICON, 0, 0, &detail::QueryDragIcon<F>};
}
// WM_ERASEBKGND: BOOL F(HDC).
template <auto F> constexpr MessageMapEntry EraseBkgnd() {
    return {WM_ERASEBKGND, 0, 0, &detail::EraseBkgnd<F>};
}
// Mouse messages such as WM_MOUSEMOVE or WM_LBUTTONUP: void F(UINT keyFlags, POINT clientPoint).
template <auto F> constexpr MessageMapEntry Mouse(UINT message) {
    return {message, 0, 0, &detail::Mouse<F>};
}
// WM_SETCURSOR: BOOL F(HWND, UINT hitTest, UINT mouseMessage).
template <auto F> constexpr MessageMapEntry SetCursor() {
    return {WM_SETCURSOR, 0, 0, &detail::SetCursor<F>};
}
} // namespace msgmap
