// e2e_gallery.exe OUT-FOLDER WORK-FOLDER: each window in its main states, worked as a user would, as a BMP.
#include <windows.h>

#include <cstdio>
#include <string>
#include <tuple>

#include "driver.h"

namespace {

std::wstring outFolder;
int failures = 0;

void saveWindow(HWND window, const char* name) {
    Sleep(400);   // let blinking and painting settle
    RECT r;
    FILE* f = nullptr;
    if (!window || !GetWindowRect(window, &r) ||
        !(f = _wfopen((outFolder + L"\\" + e2e::widen(name) + L".bmp").c_str(), L"wb"))) {
        std::printf("gallery: no window for %s\n", name);
        ++failures;
        return;
    }
    int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER head{sizeof head, w, h, 1, 24, BI_RGB};
    std::string pixels(static_cast<size_t>((w * 3 + 3) & ~3) * h, '\0');   // rows padded to four bytes
    GetDIBits(memory, bitmap, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&head), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof head;
    BITMAPFILEHEADER file{0x4D42, offset + static_cast<DWORD>(pixels.size()), 0, 0, offset};
    std::fwrite(&file, sizeof file, 1, f);
    std::fwrite(&head, sizeof head, 1, f);
    std::fwrite(pixels.data(), 1, pixels.size(), f);
    std::fclose(f);
    std::printf("gallery: %s\n", name);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "e2e_gallery OUT-FOLDER WORK-FOLDER\n");
        return 2;
    }
    outFolder = argv[1];
    std::wstring work = argv[2];
    e2e::makeFolders(outFolder);
    e2e::putFixture(L"BrontalTest32.dll", work + L"\\BrontalTest32.dll");
    e2e::putFixture(L"BrontalNeedsLib32.dll", work + L"\\BrontalNeedsLib32.dll");
    e2e::putFixture(L"BrontalTest32.dll", L"C:\\Windows\\SysWOW64\\BrontalTest32.dll");

    // Started from another drive with the work folder current on C:, the
    // browser opens there; the clear button then shows the name box's
    // placeholder, as a start from drive C: does.
    // Every wait ends as soon as its state holds: the limits are only for a
    // machine too busy to keep up, and are generous.
    e2e::Product app({e2e::productExe(), L"Z:\\", work});
    HWND main = app.main().hwnd();
    e2e::bringToFront(main);
    e2e::waitUntil([&] { return app["FileList"].count() > 0; }, 30000);
    e2e::click(app["btnLimpar"]);
    e2e::waitUntil([&] { return app["txtFile"].text() == "Selecione um componente a ser verificado"; }, 30000);
    saveWindow(main, "01-main-window");

    e2e::clickListItem(app["FileList"], app["FileList"].find("BrontalTest32.dll"));
    e2e::waitUntil([&] { return app["txtFile"].text() == "BrontalTest32.dll"; }, 30000);
    saveWindow(main, "02-file-selected");

    e2e::click(app["btnReg"]);
    if (e2e::Ui confirm = app.waitForForm("Form6", 30000)) {
        saveWindow(confirm.hwnd(), "03-confirmation");
        e2e::click(confirm["btnSim"]);
        if (e2e::Ui result = app.waitForForm("Form9", 30000)) saveWindow(result.hwnd(), "04-result");
        e2e::waitUntil([&] { return !app.form("Form9") && !app.form("Form6"); }, 30000);
    }

    e2e::click(app["btnVer"]);
    e2e::waitUntil([&] { return !app["btnVer"].enabled(); }, 30000);
    saveWindow(main, "05-registry-search");
    e2e::waitUntil([&] { return app["btnVer"].enabled() && app["DirList"].enabled() &&
                                app["lblStopSearch"].text() == "0"; }, 90000);
    saveWindow(main, "06-verified");

    // Each of the other windows, closed with its close box as the user does.
    for (auto [opener, form, shot] : {std::tuple{"btnFile", "Form3", "07-report"}, {"btnAbout", "Form2", "08-about"},
                                      {"btnHelp", "Form4", "09-help"}, {"lblAdminMode1", "Form8", "10-admin-notice"}}) {
        e2e::click(app[opener]);
        if (e2e::Ui window = app.waitForForm(form, 30000)) {
            if (std::string(form) == "Form3") e2e::clickListItem(window["lstPastas"], 0);
            saveWindow(window.hwnd(), shot);
            PostMessageW(window.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        e2e::waitUntil([&] { return !app.form(form) && app.form("Form1"); }, 30000);
    }

    e2e::click(app["btnLimpar"]);
    e2e::click(app["btnFile"]);
    saveWindow(main, "11-message-line");

    // A registration that fails, and why, for the three seconds after the result window.
    e2e::clickListItem(app["FileList"], app["FileList"].find("BrontalNeedsLib32.dll"));
    if (!e2e::waitUntil([&] { return app["txtFile"].text() == "BrontalNeedsLib32.dll"; }, 30000))
        std::printf("gallery: the failing component was not selected (the name box shows \"%s\")\n",
                    app["txtFile"].text().c_str());
    e2e::waitUntil([&] { return app["btnReg"].enabled(); }, 30000);
    e2e::click(app["btnReg"]);
    if (e2e::Ui confirm = app.waitForForm("Form6", 30000)) {
        e2e::click(confirm["btnSim"]);
        app.waitForForm("Form9", 30000);
        e2e::waitUntil([&] { return !app.form("Form9") && !app.form("Form6"); }, 30000);
        saveWindow(main, "12-failure-reason");
    } else {
        std::printf("gallery: no confirmation came for the failing registration\n");
    }

    DeleteFileW(L"C:\\Windows\\SysWOW64\\BrontalTest32.dll");
    return failures == 0 ? 0 : 1;
}
