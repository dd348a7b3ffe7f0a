#pragma once
// What every scenario does with the program: start it, walk the browser, pick a file, wait for a text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "driver.h"
#include "ui/window_props.h"

inline bool operator==(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }
inline std::ostream& operator<<(std::ostream& out, POINT p) { return out << p.x << "," << p.y; }

namespace e2e {

inline std::string prefixKind() {
    const char* kind = std::getenv("BRONTAL_PREFIX_KIND");
    return kind ? kind : "";
}

// A tree of width x width empty folders under root; true when all exist.
inline bool makeTree(const std::wstring& root, int width) {
    bool made = true;
    for (int i = 0; made && i < width * width; ++i)
        made = makeFolders(root + L"\\r" + std::to_wstring(i / width) + L"\\f" + std::to_wstring(i % width));
    return made;
}

// A tree in a searched folder only while a scenario runs (aside otherwise); make builds it the first time.
struct TreeInPlace {
    const std::wstring place, aside;
    const bool ready;
    TreeInPlace(std::wstring in, std::wstring out, const std::function<bool(const std::wstring&)>& make)
        : place(std::move(in)), aside(std::move(out)),
          ready(MoveFileW(aside.c_str(), place.c_str()) || (make(aside) && MoveFileW(aside.c_str(), place.c_str()))) {}
    ~TreeInPlace() { MoveFileW(place.c_str(), aside.c_str()); }
};

struct ProductTest : ::testing::Test {
    std::unique_ptr<Product> app;

    // Starts the program from drive Z: with folder current on C:, where its browser moves.
    void start(const std::wstring& folder = L"C:\\", const std::wstring& exe = productExe()) {
        app = std::make_unique<Product>(Product::Options{exe, L"Z:\\", folder});
        bringToFront(app->main().hwnd());
    }
    // The same, and waits until the browser is there.
    void startIn(const std::wstring& folder, const std::wstring& exe = productExe()) {
        start(folder, exe);
        ASSERT_TRUE(waitText("lblDirAddress", narrow(folder) + "\\")) << text("lblDirAddress");
    }
    void TearDown() override { app.reset(); }

    Ui c(const char* name) const { return (*app)[name]; }
    std::string text(const char* name) const { return c(name).text(); }

    // Waits until the control shows exactly that text; true when it did.
    bool waitText(const char* name, const std::string& wanted, DWORD timeoutMs = 5000) const {
        return waitUntil([&] { return text(name) == wanted; }, timeoutMs);
    }

    // Opens a folder of the folder list (a subfolder or a level of the path) with a double click.
    void enterFolder(const std::string& name) {
        Ui dir = c("DirList");
        int index = dir.find(name);
        ASSERT_GE(index, 0) << "no folder " << name << " in the folder list";
        std::string before = text("lblDirAddress");
        doubleClickListItem(dir, index);
        ASSERT_TRUE(waitUntil([&] { return text("lblDirAddress") != before; }, 5000))
            << "the folder list did not open " << name;
    }

    // Selects a file of the file list with a click and waits for the panel.
    void selectFile(const std::string& name) {
        Ui files = c("FileList");
        int index = files.find(name);
        ASSERT_GE(index, 0) << "no file " << name << " in the file list";
        clickListItem(files, index);
        ASSERT_TRUE(waitText("txtFile", name)) << "the panel did not take " << name;
    }

    // Whether the program runs and answers: then the handler running when asked is over.
    bool answers() const {
        DWORD_PTR result = 0;
        return app->running() &&
               SendMessageTimeoutW(app->main().hwnd(), WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result) != 0;
    }

    // Runs fn and waits until one more operation counted under countProp has finished.
    template <typename Action>
    bool finishes(const wchar_t* countProp, Action fn, DWORD timeoutMs = 180000) {
        unsigned before = app->finished(countProp);
        fn();
        return waitUntil([&] { return app->finished(countProp) > before || !app->running(); }, timeoutMs) &&
               app->running();
    }

    // Clicks the verify button and waits for the registry answer and the folder search.
    void verifyAndWait() {
        ASSERT_TRUE(finishes(brontal::ui::kVerificationsDoneProp, [&] { click(c("btnVer")); }))
            << "the verification did not end";
    }
};

} // namespace e2e
