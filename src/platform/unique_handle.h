#pragma once
// Move-only owners of Win32 handles. One template, configured by a traits type
// that names the empty value and the close function, so NULL-empty handles and
// INVALID_HANDLE_VALUE-empty handles can never be mixed up.
#include <windows.h>
#include <utility>

namespace brontal {

template <typename Traits>
class unique_any {
public:
    using pointer = typename Traits::type;

    unique_any() noexcept = default;
    explicit unique_any(pointer value) noexcept : value_(value) {}
    ~unique_any() { reset(); }

    unique_any(unique_any&& other) noexcept : value_(other.release()) {}
    unique_any& operator=(unique_any&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;

    pointer get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Traits::empty(); }

    pointer release() noexcept { return std::exchange(value_, Traits::empty()); }
    void reset(pointer value = Traits::empty()) noexcept {
        pointer old = std::exchange(value_, value);
        if (old != Traits::empty()) Traits::close(old);
    }
    // For out-parameters: closes what is held and hands out the slot.
    pointer* put() noexcept {
        reset();
        return &value_;
    }

private:
    pointer value_ = Traits::empty();
};

template <typename T, auto Close>
struct null_empty_traits {
    using type = T;
    static constexpr T empty() noexcept { return nullptr; }
    static void close(T value) noexcept { Close(value); }
};

template <typename T, auto Close>
struct invalid_empty_traits {
    using type = T;
    static T empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(T value) noexcept { Close(value); }
};

inline void close_gdi(HGDIOBJ object) noexcept { ::DeleteObject(object); }

using unique_handle = unique_any<null_empty_traits<HANDLE, &::CloseHandle>>;
using unique_file = unique_any<invalid_empty_traits<HANDLE, &::CloseHandle>>;
using unique_find = unique_any<invalid_empty_traits<HANDLE, &::FindClose>>;
using unique_module = unique_any<null_empty_traits<HMODULE, &::FreeLibrary>>;
using unique_hicon = unique_any<null_empty_traits<HICON, &::DestroyIcon>>;
using unique_hfont = unique_any<null_empty_traits<HFONT, &close_gdi>>;
using unique_hbrush = unique_any<null_empty_traits<HBRUSH, &close_gdi>>;
using unique_hbitmap = unique_any<null_empty_traits<HBITMAP, &close_gdi>>;
using unique_hkey = unique_any<null_empty_traits<HKEY, &::RegCloseKey>>;

} // namespace brontal
