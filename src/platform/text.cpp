#include "platform/text.h"

#include <windows.h>

namespace brontal {

namespace {

// Most names are plain ASCII; they convert without a trip into the system.
template <typename To, typename From>
bool copyAscii(From text, To& out) {
    for (auto c : text)
        if (static_cast<unsigned>(c) >= 0x80) return false;
    out.assign(text.begin(), text.end());
    return true;
}

} // namespace

std::wstring widen(std::string_view utf8) {
    std::wstring ascii;
    if (copyAscii(utf8, ascii)) return ascii;
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string narrow(std::wstring_view utf16) {
    std::string ascii;
    if (copyAscii(utf16, ascii)) return ascii;
    int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

std::string fromAnsiCodePage(std::string_view bytes) {
    std::string ascii;
    if (copyAscii(bytes, ascii)) return ascii;
    int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
    return narrow(wide);
}

bool survivesAnsiCodePage(std::string_view utf8) {
    std::string ascii;
    if (copyAscii(utf8, ascii)) return true;
    const std::wstring wide = widen(utf8);
    const int size = static_cast<int>(wide.size());
    BOOL replaced = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr, &replaced);
    return n > 0 && !replaced;
}

std::string upperCase(std::string_view utf8) {
    std::wstring text = widen(utf8);
    if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return narrow(text);
}

} // namespace brontal
