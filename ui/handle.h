// Move-only owners for Win32 handles: each kind names its "empty" value and
// how it is released, so no font, pen, brush, icon or kernel object outlives
// its owner.
#pragma once

#include <windows.h>

#include <utility>

namespace sarvell::ui {

template <typename T, auto Release, T Empty = T{}>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T h) : h_(h) {}
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Empty)) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) reset(std::exchange(o.h_, Empty));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    T get() const { return h_; }
    explicit operator bool() const { return h_ != Empty; }
    T release() { return std::exchange(h_, Empty); }
    void reset(T h = Empty) {
        if (h_ != Empty) Release(h_);
        h_ = h;
    }
    // For out-parameters: releases what is held and hands out the slot.
    T* put() {
        reset();
        return &h_;
    }

private:
    T h_ = Empty;
};

namespace detail {
inline void DeleteGdi(HGDIOBJ h) { ::DeleteObject(h); }
inline void CloseKernel(HANDLE h) { ::CloseHandle(h); }
inline void DestroyIconHandle(HICON h) { ::DestroyIcon(h); }
inline void DestroyMenuHandle(HMENU h) { ::DestroyMenu(h); }
}  // namespace detail

using UniqueFont = UniqueHandle<HFONT, detail::DeleteGdi>;
using UniqueBrush = UniqueHandle<HBRUSH, detail::DeleteGdi>;
using UniquePen = UniqueHandle<HPEN, detail::DeleteGdi>;
using UniqueIcon = UniqueHandle<HICON, detail::DestroyIconHandle>;
using UniqueMenu = UniqueHandle<HMENU, detail::DestroyMenuHandle>;
using UniqueKernelHandle = UniqueHandle<HANDLE, detail::CloseKernel>;

// Selects a GDI object into a DC for one scope, and puts the old one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ obj) : dc_(dc), old_(::SelectObject(dc, obj)) {}
    ~ScopedSelect() {
        if (old_ != nullptr && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace sarvell::ui
