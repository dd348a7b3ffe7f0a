#include "platform/std_streams.h"

#include <windows.h>

#include "platform/text.h"
#include "platform/unique_handle.h"

namespace brontal::platform {
namespace {

HANDLE givenHandle(DWORD which) {
    HANDLE h = GetStdHandle(which);
    if (h == nullptr || h == INVALID_HANDLE_VALUE) return nullptr;
    // A handle the parent left behind that leads nowhere counts as none.
    SetLastError(NO_ERROR);
    if (GetFileType(h) == FILE_TYPE_UNKNOWN && GetLastError() != NO_ERROR) return nullptr;
    return h;
}

bool isConsole(HANDLE h) {
    DWORD mode = 0;
    return h && GetConsoleMode(h, &mode);
}

void write(HANDLE h, std::string_view utf8) {
    if (!h || utf8.empty()) return;
    if (isConsole(h)) {
        std::wstring wide = brontal::widen(utf8);
        DWORD written = 0;
        WriteConsoleW(h, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    while (!utf8.empty()) {
        DWORD written = 0;
        if (!WriteFile(h, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr) || written == 0) return;
        utf8.remove_prefix(written);
    }
}

class Streams final : public TextStreams {
public:
    Streams() {
        out_ = givenHandle(STD_OUTPUT_HANDLE);
        err_ = givenHandle(STD_ERROR_HANDLE);
        if ((!out_ || !err_) && AttachConsole(ATTACH_PARENT_PROCESS)) {
            console_.reset(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr));
            if (!out_) out_ = console_.get();
            if (!err_) err_ = console_.get();
            attached_ = true;
        }
    }
    ~Streams() override {
        // The console's prompt was printed when the program started (a window
        // program is not waited for): a last line break puts it back under
        // the output.
        if (attached_ && isConsole(out_)) write(out_, "\r\n");
        if (attached_) FreeConsole();
    }
    void out(std::string_view utf8) override { write(out_, utf8); }
    void err(std::string_view utf8) override { write(err_, utf8); }
    bool outIsConsole() const override { return isConsole(out_); }

private:
    HANDLE out_ = nullptr;
    HANDLE err_ = nullptr;
    unique_file console_;
    bool attached_ = false;
};

} // namespace

std::unique_ptr<TextStreams> standardStreams() { return std::make_unique<Streams>(); }

} // namespace brontal::platform
