// Real COM components registered and unregistered through the windows, checked in the registry itself.
#include "scenario.h"

namespace {

constexpr wchar_t kFolder[] = L"C:\\brontal\\com";
constexpr wchar_t kTest32Class[] = L"CLSID\\{05676BC1-E667-47F8-8A79-6A33637BBD23}";
constexpr wchar_t kTest64Class[] = L"CLSID\\{8E802D47-6660-4BFD-9723-DE51531FD0EB}";
constexpr wchar_t kCtlClass[] = L"CLSID\\{0B87DA93-1291-46E7-A96D-12182300DFCB}";
constexpr char kRegistered[] = "Componente registrado com sucesso.";
constexpr char kUnregistered[] = "Componente desregistrado com sucesso.";

// view: KEY_WOW64_32KEY, KEY_WOW64_64KEY, or 0 on 32-bit Windows, which has one.
bool classIn(const wchar_t* key, REGSAM view) { return e2e::registryKeyExists(HKEY_CLASSES_ROOT, key, view); }

// The file a class's InprocServer32 names, in the 32-bit view (this process's own); "" when none.
std::wstring serverIn32BitView(const wchar_t* classKey) {
    wchar_t value[2048] = {};
    DWORD bytes = sizeof value;
    RegGetValueW(HKEY_CLASSES_ROOT, (std::wstring(classKey) + L"\\InprocServer32").c_str(), nullptr, RRF_RT_REG_SZ,
                 nullptr, value, &bytes);
    return value;
}

struct Registration : e2e::ProductTest {
    std::string prefix = "win64";
    void SetUp() override {
        if (e2e::prefixKind() != prefix) GTEST_SKIP() << "run in the " << prefix << " prefix";
        for (const wchar_t* name : {L"BrontalTest32.dll", L"BrontalTest64.dll", L"BrontalFail32.dll", L"BrontalCtl32.ocx",
                                    L"BrontalNoEntry32.dll", L"BrontalNeedsLib32.dll"})
            ASSERT_TRUE(e2e::putFixture(name, std::wstring(kFolder) + L"\\" + name)) << e2e::narrow(name);
        startIn(kFolder);
    }

    // btnReg or btnUnreg on the selected file, confirmed with Tab and Enter or a
    // click on "Sim"; reads the result window while it counts down, waits for the end.
    // The reason is on the message line once the result window has gone.
    struct Outcome { std::string message; std::uint32_t color = 0; std::string reason; };
    Outcome run(const char* button, bool withKeys = true) {
        click(c(button));
        e2e::Ui question = app->waitForForm("Form6", 5000);
        EXPECT_TRUE(question) << "no confirmation window";
        if (!question) return {};
        EXPECT_EQ(question["lblRegUnreg"].text(),
                  std::string("Deseja realmente ") + (button == std::string("btnReg") ? "registrar" : "desregistrar"));
        EXPECT_EQ(question["txtComponente"].text(), text("txtFile") + "?");
        Outcome out;
        // The result window closes itself, the confirmation goes with it.
        EXPECT_TRUE(finishes(brontal::ui::kRegistrationsDoneProp, [&] {
            if (withKeys) {
                e2e::bringToFront(question.hwnd());
                e2e::pressKey(VK_TAB);
                e2e::pressKey(VK_RETURN);
            } else {
                click(question["btnSim"]);
            }
            e2e::Ui result = app->waitForForm("Form9", 30000);
            ASSERT_TRUE(result) << "no result window";
            e2e::Ui message = result["lblMensagem"];
            out = {message.text(), message.foreColor()};
            // It opens 1035 and 1980 twips into the main window.
            POINT main = app->main().topLeft();
            EXPECT_NEAR(result.topLeft().x, main.x + e2e::twipsToPixels(1035), 1);
            EXPECT_NEAR(result.topLeft().y, main.y + e2e::twipsToPixels(1980), 1);
        })) << "the request did not end";
        out.reason = text("txtRegistrado");   // it stays three seconds
        EXPECT_FALSE(app->form("Form6"));
        EXPECT_TRUE(app->main().enabled());
        return out;
    }
    // The selected file registered and unregistered: its class is in that view (not the other) meanwhile.
    void roundTrip(const wchar_t* classKey, REGSAM view, bool withKeys = true) {
        ASSERT_FALSE(classIn(classKey, view)) << "left over from an earlier run";
        Outcome registered = run("btnReg", withKeys);
        EXPECT_EQ(registered.message, kRegistered);
        EXPECT_EQ(registered.color, 32768u);
        EXPECT_EQ(registered.reason, "");
        EXPECT_TRUE(classIn(classKey, view));
        if (view) EXPECT_FALSE(classIn(classKey, view ^ (KEY_WOW64_32KEY | KEY_WOW64_64KEY)));
        EXPECT_EQ(run("btnUnreg", withKeys).message, kUnregistered);
        EXPECT_FALSE(classIn(classKey, view));
    }
};

TEST_F(Registration, BothWidthsAnOcxAndAFailureAndANoThatRegistersNothing) {
    selectFile("BrontalTest32.dll");
    roundTrip(kTest32Class, KEY_WOW64_32KEY);
    // "Sim" clicked this time; through the native regsvr32.
    selectFile("BrontalTest64.dll");
    roundTrip(kTest64Class, KEY_WOW64_64KEY, false);

    // Registration failing, no entry point, a library missing: the outcome, then why.
    for (auto [file, reason] : {std::pair{"BrontalFail32.dll", "regsvr32 (código 5): o componente retornou erro."},
                                std::pair{"BrontalNoEntry32.dll", "regsvr32 (código 4): não é autorregistrável."},
                                std::pair{"BrontalNeedsLib32.dll", "regsvr32 (código 3): o arquivo não carregou."}}) {
        selectFile(file);
        Outcome failed = run("btnReg");
        EXPECT_EQ(failed.message, "Erro ao tentar registrar componente.") << file;
        EXPECT_EQ(failed.color, 192u);
        EXPECT_EQ(failed.reason, reason);
    }

    // Enter at once, and "Não", register nothing; "Sim" registers the ocx like a dll.
    selectFile("BrontalCtl32.ocx");
    for (bool enterAtOnce : {true, false}) {
        click(c("btnReg"));
        e2e::Ui question = app->waitForForm("Form6", 5000);
        ASSERT_TRUE(question);
        e2e::bringToFront(question.hwnd());
        ASSERT_TRUE(finishes(brontal::ui::kRegistrationsDoneProp, [&] {
            if (enterAtOnce) e2e::pressKey(VK_RETURN);
            else click(question["btnNao"]);
        })) << "the question did not close";
        EXPECT_FALSE(classIn(kCtlClass, KEY_WOW64_32KEY));
        EXPECT_TRUE(app->main().enabled());
    }
    roundTrip(kCtlClass, KEY_WOW64_32KEY);
}

// Names a command interpreter would rewrite (%PATH%, %USERNAME%, & ^ ! ( )); a decoy named as the
// expansion of %USERNAME% is registered first, and a search for the file's own name must not find it.
TEST_F(Registration, NamesACommandInterpreterWouldRewriteReachRegsvr32AndRegAsTheyAre) {
    const std::wstring folder = L"C:\\caminho %PATH% & (x)^!", name = L"comp %USERNAME% & (1)^!.dll";
    wchar_t user[256];
    DWORD n = GetEnvironmentVariableW(L"USERNAME", user, 256);
    ASSERT_TRUE(n > 0 && n < 256) << "no USERNAME to expand";
    const std::wstring decoy = L"comp " + std::wstring(user) + L" & (1)^!.dll";
    for (const std::wstring& copy : {name, decoy}) ASSERT_TRUE(e2e::putFixture(L"BrontalTest32.dll", folder + L"\\" + copy));
    ASSERT_FALSE(classIn(kTest32Class, KEY_WOW64_32KEY));
    enterFolder("C:\\");
    enterFolder(e2e::narrow(folder.substr(3)));
    ASSERT_EQ(text("lblDirAddress"), e2e::narrow(folder) + "\\");

    selectFile(e2e::narrow(decoy));
    ASSERT_EQ(run("btnReg").message, kRegistered);
    ASSERT_EQ(serverIn32BitView(kTest32Class), folder + L"\\" + decoy);
    selectFile(e2e::narrow(name));
    verifyAndWait();
    EXPECT_EQ(text("txtRegistrado"), "Componente 32 bits não localizado no Registro.")
        << "reg was asked for another name than the file's";

    EXPECT_EQ(run("btnReg").message, kRegistered);
    EXPECT_EQ(serverIn32BitView(kTest32Class), folder + L"\\" + name) << "regsvr32 registered another file";
    verifyAndWait();
    EXPECT_EQ(text("txtRegistrado"), "Componente 32 bits localizado no Registro.");
    EXPECT_EQ(run("btnUnreg").message, kUnregistered);
    EXPECT_FALSE(classIn(kTest32Class, KEY_WOW64_32KEY));
}

// 32-bit Windows, without SysWOW64 and Sysnative: System32's own regsvr32.exe.
struct Win32Registration : Registration {
    Win32Registration() { prefix = "win32"; }
};

TEST_F(Win32Registration, TheSystem32Regsvr32RegistersAndUnregisters) {
    selectFile("BrontalTest32.dll");
    roundTrip(kTest32Class, 0);
    EXPECT_TRUE(app->messageBoxes().empty()) << "no process failed to start";
}

} // namespace
