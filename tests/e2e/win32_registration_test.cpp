// Registering on 32-bit Windows, where neither SysWOW64 nor Sysnative exists:
// the program has to run the regsvr32.exe of System32 itself.
#include "scenario.h"

namespace {

using e2e::ProductTest;

constexpr wchar_t kFolder[] = L"C:\\brontal\\com32";
constexpr wchar_t kTest32Class[] = L"CLSID\\{05676BC1-E667-47F8-8A79-6A33637BBD23}";

// 32-bit Windows has one registry view.
bool classRegistered() { return e2e::registryKeyExists(HKEY_CLASSES_ROOT, kTest32Class, 0); }

struct Win32Registration : ProductTest {
    static void SetUpTestSuite() {
        ASSERT_TRUE(e2e::makeFolders(kFolder));
        ASSERT_TRUE(e2e::copyFile(e2e::fixturesDir() + L"\\BrontalTest32.dll", std::wstring(kFolder) + L"\\BrontalTest32.dll"));
    }
    void SetUp() override {
        if (e2e::prefixKind() != "win32") GTEST_SKIP() << "run in the 32-bit prefix";
        start(kFolder);
        ASSERT_TRUE(waitText("lblDirAddress", "C:\\brontal\\com32\\"));
    }

    struct Outcome {
        std::string message;
        std::uint32_t color = 0;
    };
    // btnReg or btnUnreg, then Tab to "Sim" and Enter; reads the result
    // window until it has closed itself.
    Outcome runWithKeys(const char* button) {
        Outcome out;
        click(c(button));
        e2e::Ui confirm = app->waitForForm("Form6", 5000);
        EXPECT_TRUE(confirm) << "no confirmation window";
        if (!confirm) return out;
        e2e::bringToFront(confirm.hwnd());
        unsigned before = app->finished(brontal::ui::kRegistrationsDoneProp);
        e2e::pressKey(VK_TAB);
        e2e::pressKey(VK_RETURN);
        e2e::Ui result = app->waitForForm("Form9", 30000);
        EXPECT_TRUE(result) << "no result window";
        if (!result) return out;
        e2e::Ui message = e2e::Product::control(result, "lblMensagem");
        out.message = message.text();
        out.color = message.foreColor().value_or(0xFFFFFFFF);
        EXPECT_TRUE(e2e::waitUntil(
            [&] { return app->finished(brontal::ui::kRegistrationsDoneProp) > before; }, 20000))
            << "the request did not end";
        EXPECT_FALSE(app->form("Form6"));
        EXPECT_TRUE(app->main().enabled());
        EXPECT_TRUE(app->messageBoxes().empty()) << "no process failed to start";
        return out;
    }
};

TEST_F(Win32Registration, TheSystem32Regsvr32RegistersAndUnregisters) {
    ASSERT_EQ(text("lbl64bits"), "0");
    ASSERT_FALSE(classRegistered()) << "left over from an earlier run";
    selectFile("BrontalTest32.dll");
    ASSERT_EQ(text("lblb"), "32");
    ASSERT_TRUE(c("btnReg").enabled());

    Outcome registered = runWithKeys("btnReg");
    EXPECT_EQ(registered.message, "Componente registrado com sucesso.");
    EXPECT_EQ(registered.color, 32768u);
    EXPECT_TRUE(classRegistered());

    Outcome unregistered = runWithKeys("btnUnreg");
    EXPECT_EQ(unregistered.message, "Componente desregistrado com sucesso.");
    EXPECT_EQ(unregistered.color, 32768u);
    EXPECT_FALSE(classRegistered());
}

} // namespace
