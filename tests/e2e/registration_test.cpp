// Registering and unregistering real COM components through the confirmation
// window and the self-closing result window, checked in the registry itself.
#include "scenario.h"

#include <optional>

namespace {

using e2e::ProductTest;

constexpr wchar_t kFolder[] = L"C:\\brontal\\com";
constexpr wchar_t kTest32Class[] = L"CLSID\\{05676BC1-E667-47F8-8A79-6A33637BBD23}";
constexpr wchar_t kTest64Class[] = L"CLSID\\{8E802D47-6660-4BFD-9723-DE51531FD0EB}";
constexpr wchar_t kFailClass[] = L"CLSID\\{FD55B658-0CE0-490C-9396-6FB5296C9F1B}";
constexpr wchar_t kCtlClass[] = L"CLSID\\{0B87DA93-1291-46E7-A96D-12182300DFCB}";

bool classIn32BitView(const wchar_t* key) { return e2e::registryKeyExists(HKEY_CLASSES_ROOT, key, KEY_WOW64_32KEY); }
bool classIn64BitView(const wchar_t* key) { return e2e::registryKeyExists(HKEY_CLASSES_ROOT, key, KEY_WOW64_64KEY); }

// The file a class's InprocServer32 names, read in the 32-bit view.
std::optional<std::wstring> serverIn32BitView(const wchar_t* classKey) {
    std::wstring subkey = std::wstring(classKey) + L"\\InprocServer32";
    HKEY key;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, subkey.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
        return std::nullopt;
    wchar_t value[2048] = {};
    DWORD bytes = sizeof value - sizeof(wchar_t), type = 0;
    LONG status = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
    return std::wstring(value);
}

std::wstring environmentValue(const wchar_t* name) {
    wchar_t value[1024];
    DWORD n = GetEnvironmentVariableW(name, value, 1024);
    return n > 0 && n < 1024 ? std::wstring(value, n) : std::wstring();
}

struct Registration : ProductTest {
    static void SetUpTestSuite() {
        ASSERT_TRUE(e2e::makeFolders(kFolder));
        for (const wchar_t* name : {L"BrontalTest32.dll", L"BrontalTest64.dll", L"BrontalFail32.dll", L"BrontalCtl32.ocx",
                                    L"BrontalNoEntry32.dll", L"BrontalNeedsLib32.dll"})
            ASSERT_TRUE(e2e::copyFile(e2e::fixturesDir() + L"\\" + name, std::wstring(kFolder) + L"\\" + name))
                << e2e::narrow(name);
    }
    void SetUp() override {
        if (e2e::prefixKind() != "win64") GTEST_SKIP() << "run in the 64-bit prefix";
        start(kFolder);
        ASSERT_TRUE(waitText("lblDirAddress", "C:\\brontal\\com\\"));
    }

    // btnReg or btnUnreg on the selected file; returns the confirmation window.
    e2e::Ui request(const char* button) {
        click(c(button));
        return app->waitForForm("Form6", 5000);
    }

    // Confirms with Tab and Enter, reads the result window while it counts
    // down (three seconds; the count itself is the window tests' business,
    // through its timer) and waits for the request to end.
    struct Outcome {
        std::string message;
        std::uint32_t color = 0;
        std::string reason;   // on the message line once the result window has gone
    };
    Outcome confirmWithClick(const e2e::Ui& confirm) {
        unsigned before = app->finished(brontal::ui::kRegistrationsDoneProp);
        click(e2e::Product::control(confirm, "btnSim"));
        return awaitResult(before);
    }
    Outcome confirmWithKeys(const e2e::Ui& confirm) {
        e2e::bringToFront(confirm.hwnd());
        unsigned before = app->finished(brontal::ui::kRegistrationsDoneProp);
        e2e::pressKey(VK_TAB);
        e2e::pressKey(VK_RETURN);
        return awaitResult(before);
    }
    Outcome awaitResult(unsigned requestsBefore) {
        Outcome out;
        e2e::Ui result = app->waitForForm("Form9", 20000);
        EXPECT_TRUE(result) << "no result window";
        if (result) {
            e2e::Ui message = e2e::Product::control(result, "lblMensagem");
            out.message = message.text();
            out.color = message.foreColor().value_or(0xFFFFFFFF);
            EXPECT_EQ(e2e::Product::control(result, "Label1").text(), "Fechando em");
            EXPECT_EQ(e2e::Product::control(result, "Label2").text(), "segundos...");
            // It opens where the request said, 1035 and 1980 twips into the main window.
            RECT at = result.screenRect();
            EXPECT_NEAR(at.left, e2e::twipsToPixels(std::stoi(text("lblLeftReg"))), 1);
            EXPECT_NEAR(at.top, e2e::twipsToPixels(std::stoi(text("lblTopReg"))), 1);
        }
        // It closes itself, the confirmation window goes with it and the
        // main window is usable again.
        EXPECT_TRUE(e2e::waitUntil(
            [&] { return app->finished(brontal::ui::kRegistrationsDoneProp) > requestsBefore; }, 20000))
            << "the request did not end";
        out.reason = text("txtRegistrado");   // it stays three seconds
        EXPECT_FALSE(app->form("Form9"));
        EXPECT_FALSE(app->form("Form6"));
        EXPECT_TRUE(app->main().enabled());
        return out;
    }
};

TEST_F(Registration, Register32BitWithTheKeyboardThenUnregister) {
    ASSERT_FALSE(classIn32BitView(kTest32Class));
    selectFile("BrontalTest32.dll");
    e2e::Ui confirm = request("btnReg");
    ASSERT_TRUE(confirm);
    EXPECT_EQ(confirm.text(), "Brontal32");
    EXPECT_EQ(e2e::Product::control(confirm, "lblRegUnreg").text(), "Deseja realmente registrar");
    EXPECT_EQ(e2e::Product::control(confirm, "txtComponente").text(), "BrontalTest32.dll?");
    EXPECT_EQ(text("lblIntReg"), "1");
    // The result window's place: 1035 and 1980 twips into the main window.
    RECT main = app->main().screenRect();
    EXPECT_NEAR(std::stoi(text("lblLeftReg")), main.left * 1440 / e2e::screenDpi() + 1035, 15);
    EXPECT_NEAR(std::stoi(text("lblTopReg")), main.top * 1440 / e2e::screenDpi() + 1980, 15);

    Outcome registered = confirmWithKeys(confirm);
    EXPECT_EQ(registered.message, "Componente registrado com sucesso.");
    EXPECT_EQ(registered.color, 32768u);
    EXPECT_EQ(registered.reason, "");
    EXPECT_TRUE(classIn32BitView(kTest32Class));
    EXPECT_FALSE(classIn64BitView(kTest32Class)) << "a 32-bit server registers in the 32-bit view";

    confirm = request("btnUnreg");
    ASSERT_TRUE(confirm);
    EXPECT_EQ(e2e::Product::control(confirm, "lblRegUnreg").text(), "Deseja realmente desregistrar");
    Outcome unregistered = confirmWithKeys(confirm);
    EXPECT_EQ(unregistered.message, "Componente desregistrado com sucesso.");
    EXPECT_EQ(unregistered.color, 32768u);
    EXPECT_FALSE(classIn32BitView(kTest32Class));
}

// "Sim" clicked with the mouse this time; then components whose own
// registration fails, that have no entry point, and that lack a library.
TEST_F(Registration, A64BitComponentGoesThroughTheNativeRegsvr32AndAFailureIsSaid) {
    selectFile("BrontalTest64.dll");
    ASSERT_EQ(text("lblb"), "64");
    e2e::Ui confirm = request("btnReg");
    ASSERT_TRUE(confirm);
    Outcome registered = confirmWithClick(confirm);
    EXPECT_EQ(registered.message, "Componente registrado com sucesso.");
    EXPECT_TRUE(classIn64BitView(kTest64Class));
    EXPECT_FALSE(classIn32BitView(kTest64Class));

    confirm = request("btnUnreg");
    ASSERT_TRUE(confirm);
    EXPECT_EQ(confirmWithClick(confirm).message, "Componente desregistrado com sucesso.");
    EXPECT_FALSE(classIn64BitView(kTest64Class));

    selectFile("BrontalFail32.dll");
    confirm = request("btnReg");
    ASSERT_TRUE(confirm);
    Outcome failed = confirmWithKeys(confirm);
    EXPECT_EQ(failed.message, "Erro ao tentar registrar componente.");
    EXPECT_EQ(failed.color, 192u);
    EXPECT_FALSE(classIn32BitView(kFailClass));

    // Why, after the outcome: what regsvr32's exit code says.
    EXPECT_EQ(failed.reason, "regsvr32 (código 5): o componente retornou erro.");
    for (auto [file, reason] : {std::pair{"BrontalNoEntry32.dll", "regsvr32 (código 4): não é autorregistrável."},
                                std::pair{"BrontalNeedsLib32.dll", "regsvr32 (código 3): o arquivo não carregou."}}) {
        selectFile(file);
        confirm = request("btnReg");
        ASSERT_TRUE(confirm);
        failed = confirmWithKeys(confirm);
        EXPECT_EQ(failed.message, "Erro ao tentar registrar componente.") << file;
        EXPECT_EQ(failed.reason, reason);
    }
}

TEST_F(Registration, EnterRightAfterTheQuestionRegistersNothing) {
    selectFile("BrontalCtl32.ocx");
    e2e::Ui confirm = request("btnReg");
    ASSERT_TRUE(confirm);
    e2e::bringToFront(confirm.hwnd());
    ASSERT_TRUE(finishes(brontal::ui::kRegistrationsDoneProp, [] { e2e::pressKey(VK_RETURN); }))
        << "the question did not close";
    EXPECT_FALSE(app->form("Form9")) << "no registration ran";
    EXPECT_FALSE(classIn32BitView(kCtlClass));
    EXPECT_TRUE(app->main().enabled());

    // Declining with "Não" does nothing either; the next request asks afresh.
    confirm = request("btnReg");
    ASSERT_TRUE(confirm);
    ASSERT_TRUE(finishes(brontal::ui::kRegistrationsDoneProp,
                         [&] { click(e2e::Product::control(confirm, "btnNao")); }));
    EXPECT_FALSE(classIn32BitView(kCtlClass));

    // The ocx registers like a dll once "Sim" is chosen.
    confirm = request("btnReg");
    ASSERT_TRUE(confirm);
    Outcome registered = confirmWithKeys(confirm);
    EXPECT_EQ(registered.message, "Componente registrado com sucesso.");
    EXPECT_TRUE(classIn32BitView(kCtlClass));
    confirm = request("btnUnreg");
    ASSERT_TRUE(confirm);
    EXPECT_EQ(confirmWithKeys(confirm).message, "Componente desregistrado com sucesso.");
    EXPECT_FALSE(classIn32BitView(kCtlClass));
}

// A folder and a file whose names a command interpreter would rewrite: it
// would expand %PATH% and %USERNAME% and take & ^ ! ( ) for its own. Beside
// the file lies a decoy, a copy named as the expansion of %USERNAME% would
// name it, registered first: looking for the file's own name must not find it.
TEST_F(Registration, NamesACommandInterpreterWouldRewriteReachRegsvr32AndRegAsTheyAre) {
    const std::wstring folder = L"C:\\caminho %PATH% & (x)^!";
    const std::wstring name = L"comp %USERNAME% & (1)^!.dll";
    const std::wstring user = environmentValue(L"USERNAME");
    ASSERT_FALSE(user.empty()) << "no USERNAME to expand";
    const std::wstring decoy = L"comp " + user + L" & (1)^!.dll";
    ASSERT_TRUE(e2e::makeFolders(folder));
    for (const std::wstring& copy : {name, decoy})
        ASSERT_TRUE(e2e::copyFile(e2e::fixturesDir() + L"\\BrontalTest32.dll", folder + L"\\" + copy));
    ASSERT_FALSE(classIn32BitView(kTest32Class));

    enterFolder("C:\\");
    enterFolder(e2e::narrow(folder.substr(3)));
    ASSERT_EQ(text("lblDirAddress"), e2e::narrow(folder) + "\\");

    selectFile(e2e::narrow(decoy));
    e2e::Ui confirm = request("btnReg");
    ASSERT_TRUE(confirm);
    ASSERT_EQ(confirmWithKeys(confirm).message, "Componente registrado com sucesso.");
    ASSERT_EQ(serverIn32BitView(kTest32Class), folder + L"\\" + decoy);

    selectFile(e2e::narrow(name));
    ASSERT_EQ(text("lblb"), "32");
    verifyAndWait();
    EXPECT_EQ(text("txtRegistrado"), "Componente 32 bits não localizado no Registro.")
        << "reg was asked for another name than the file's";

    confirm = request("btnReg");
    ASSERT_TRUE(confirm);
    Outcome registered = confirmWithKeys(confirm);
    EXPECT_EQ(registered.message, "Componente registrado com sucesso.");
    EXPECT_EQ(registered.color, 32768u);
    EXPECT_EQ(serverIn32BitView(kTest32Class), folder + L"\\" + name) << "regsvr32 registered another file";
    EXPECT_FALSE(classIn64BitView(kTest32Class));

    verifyAndWait();
    EXPECT_EQ(text("txtRegistrado"), "Componente 32 bits localizado no Registro.");
    EXPECT_EQ(c("txtRegistrado").foreColor(), 32768u);

    confirm = request("btnUnreg");
    ASSERT_TRUE(confirm);
    Outcome unregistered = confirmWithKeys(confirm);
    EXPECT_EQ(unregistered.message, "Componente desregistrado com sucesso.");
    EXPECT_EQ(unregistered.color, 32768u);
    EXPECT_FALSE(classIn32BitView(kTest32Class));
}

} // namespace
