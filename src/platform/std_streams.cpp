#include "platform/std_streams.h"

#include <windows.h>

#include <string>

#include "platform/system.h"
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

// 0 when all was written, else the system's error code.
DWORD write(HANDLE h, std::string_view utf8) {
    if (!h || utf8.empty()) return 0;
    if (isConsole(h)) {
        std::wstring wide = brontal::widen(utf8);
        DWORD written = 0;
        if (!WriteConsoleW(h, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr)) return GetLastError();
        return 0;
    }
    while (!utf8.empty()) {
        DWORD written = 0;
        if (!WriteFile(h, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr))
            return GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
        if (written == 0) return ERROR_WRITE_FAULT;
        utf8.remove_prefix(written);
    }
    return 0;
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
        boxed_ = !out_;
    }
    ~Streams() override {
        if (attached_) FreeConsole();
    }
    void out(std::string_view utf8) override {
        if (boxed_) return void(boxOut_ += utf8);
        noteConsole(out_, utf8);
        DWORD error = write(out_, utf8);
        if (error && !outError_) outError_ = error;
    }
    void err(std::string_view utf8) override {
        if (boxed_) return void(boxErr_ += utf8);
        noteConsole(err_, utf8);
        write(err_, utf8);
    }
    bool outIsConsole() const override { return isConsole(out_); }
    bool errIsConsole() const override { return isConsole(err_); }
    unsigned long outWriteError() const override { return outError_; }

    void finish() override {
        // The console's prompt was printed when the program started (a window
        // program is not waited for): the output ends with one line break, so
        // that the prompt comes back under it.
        if (lastConsole_ && consoleLast_ != '\n') write(lastConsole_, "\r\n");
        lastConsole_ = nullptr;
        if (boxed_ && !(boxErr_.empty() && boxOut_.empty())) {
            std::string text = boxErr_.empty() ? boxOut_ : boxErr_ + (boxOut_.empty() ? "" : "\r\n" + boxOut_);
            messageBox(nullptr, text, "Brontal32", boxErr_.empty() ? MB_ICONINFORMATION : MB_ICONERROR);
        }
        boxOut_.clear();
        boxErr_.clear();
    }

private:
    void noteConsole(HANDLE h, std::string_view utf8) {
        if (utf8.empty() || !isConsole(h)) return;
        lastConsole_ = h;
        consoleLast_ = utf8.back();
    }

    HANDLE out_ = nullptr;
    HANDLE err_ = nullptr;
    unique_file console_;
    bool attached_ = false;
    bool boxed_ = false;          // neither a handle nor a console: a message box at the end
    std::string boxOut_, boxErr_;
    HANDLE lastConsole_ = nullptr;   // the console written last, and its last character
    char consoleLast_ = 0;
    DWORD outError_ = 0;
};

} // namespace

std::unique_ptr<TextStreams> standardStreams() { return std::make_unique<Streams>(); }

} // namespace brontal::platform
