// The main window where end to end cannot go: user mode, timed clears, misused presses, the blink, links.
#include "stand_ins.h"

#include <shellapi.h>

#include "platform/files.h"
#include "windows/readme_documents.h"

namespace {

using namespace window_test;

using MainWindowTest = FormsTest;

TEST_F(MainWindowTest, TheModeDecidesRegistrationTipsAndTheShortcutsVerb) {
    struct Case { bool elevated; const char *shown, *hidden, *text, *cmdTip, *regeditTip, *verb; } cases[] = {
        {false, "lblAdminMode0", "lblAdminMode2", "Executando em modo usuário.", " Prompt de Comando (CMD) ",
         " Registro do Windows (Regedit) ", ""},
        {true, "lblAdminMode2", "lblAdminMode0", "Executando como administrador.",
         " Prompt de Comando (CMD) - modo admin ", " Registro do Windows (Regedit) - 32 bits ", "runas"}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.elevated ? "elevated" : "user mode");
        recorder.shell.clear();
        open(k.elevated);
        EXPECT_TRUE(c(k.shown).visible() && !c(k.hidden).visible());
        EXPECT_EQ(c(k.shown).text(), k.text);
        EXPECT_EQ(c("btnReg").enabled(), k.elevated);
        EXPECT_EQ(c("btnUnreg").enabled(), k.elevated);
        EXPECT_EQ(c("btnCMD").tip(), k.cmdTip);
        EXPECT_EQ(c("btnRegistro").tip(), k.regeditTip);
        c("btnCMD").onClick();
        c("btnRegistro").onClick();
        // The system's own cmd.exe, never one found by a bare name.
        std::string verb = k.verb, cmd = brontal::platform::systemFolder() + "\\cmd.exe";
        EXPECT_EQ(recorder.shell, (std::vector<std::string>{verb + "|" + cmd, verb + "|C:\\Windows\\Regedit.exe"}));
    }
}

TEST_F(MainWindowTest, RefusalsBeepSayWhyOpenNothingAndTheirLineClearsOnItsTimerOnly) {
    open();
    const char* const selectFirst = "É preciso selecionar um arquivo primeiro.";
    struct Case { const char *name, *shown, *button, *message; } cases[] = {
        {"", "", "btnReg", selectFirst},
        {"old.dll", "", "btnUnreg", selectFirst},   // a folder change empties the name box, not the last name
        {"leia-me.txt", "leia-me.txt", "btnReg", "Apenas arquivos dll ou ocx podem ser registrados."},
        {"leia-me.txt", "leia-me.txt", "btnUnreg", "Apenas arquivos dll ou ocx podem ser desregistrados."},
        {"x.dll.bak", "x.dll.bak", "btnReg", "Apenas arquivos dll ou ocx podem ser registrados."}};
    ui::Timer& clear = main->timer("TimerMensagem");
    c("lblDirAddress").setText("C:\\Pasta com espaços\\");
    c("lblb").setText("32");
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.name) + " shown as \"" + k.shown + "\", " + k.button);
        c("lblFileAddress").setText(k.name);
        c("txtFile").setText(k.shown);
        int beeps = recorder.beeps, opened = 0;
        ui::runLater([&] {
            if (ui::Form* question = shownForm("Form6")) ++opened, question->close();
        });
        c(k.button).onClick();
        ui::processPendingEvents();
        EXPECT_EQ(opened, 0);
        EXPECT_EQ(recorder.beeps, beeps + 1);
        EXPECT_EQ(c("txtRegistrado").text(), k.message);
        EXPECT_EQ(c("txtRegistrado").foreColor(), ui::kDarkRed);
        EXPECT_EQ(clear.interval(), 3000);
        ASSERT_TRUE(clear.enabled());
        clear.fire();
        EXPECT_EQ(c("txtRegistrado").text(), "");
        EXPECT_FALSE(clear.enabled());
    }
    EXPECT_TRUE(recorder.runs.empty());

    // The clear that a refusal set up takes that refusal only: an answer
    // written on the line before it falls due stays.
    main->ShowErrorMessage(selectFirst);
    c("txtRegistrado").setForeColor(ui::kGreen);
    c("txtRegistrado").setText("Componente 32 bits localizado no Registro.");
    clear.fire();
    EXPECT_EQ(c("txtRegistrado").text(), "Componente 32 bits localizado no Registro.");
    EXPECT_FALSE(clear.enabled());
}

// The press effect through the mouse messages a control gets, in any order a user makes them.
TEST_F(MainWindowTest, ThePressEffectAlwaysComesBackToTheDesignPlace) {
    open();
    ui::Control &text = c("lblSystem32"), &image = c("imgSystem32"), &other = c("lblSysWOW64");
    auto places = [&] {
        return std::vector<int>{text.left(), text.top(), image.left(), image.top(), other.left(), other.top()};
    };
    const std::vector<int> home = places();
    auto send = [](ui::Control& to, UINT msg, WPARAM keys) { SendMessageW(to.hwnd(), msg, keys, MAKELPARAM(2, 2)); };

    // Pressed by its label or its icon, the pair moves together.
    for (ui::Control* pressed : {&text, &image}) {
        send(*pressed, WM_LBUTTONDOWN, MK_LBUTTON);
        EXPECT_EQ(places(), (std::vector<int>{home[0] + 15, home[1] + 15, home[2] + 15, home[3] + 15, home[4], home[5]}));
        send(*pressed, WM_LBUTTONUP, 0);
        EXPECT_EQ(places(), home) << "a click";
    }
    EXPECT_EQ(recorder.shell.size(), 2u);

    send(text, WM_RBUTTONDOWN, MK_RBUTTON);
    send(text, WM_LBUTTONDOWN, MK_LBUTTON | MK_RBUTTON);
    send(text, WM_LBUTTONUP, MK_RBUTTON);
    send(text, WM_RBUTTONUP, 0);
    EXPECT_EQ(places(), home) << "a right press, then a left one";

    // The storage labels now hold the System32 pair's place.
    send(other, WM_LBUTTONUP, 0);
    EXPECT_EQ(places(), home) << "a release with no press";

    send(text, WM_LBUTTONDOWN, MK_LBUTTON);
    ReleaseCapture();   // another window takes the mouse
    EXPECT_EQ(places(), home) << "a lost capture";
    send(text, WM_LBUTTONUP, 0);
    EXPECT_EQ(places(), home) << "the release after the lost capture";
    EXPECT_EQ(recorder.shell.size(), 3u) << "only the three left presses released on the pair opened its folder";
}

TEST_F(MainWindowTest, SizeLabelsBlinkBetweenTwoColours) {
    open();
    c("lblTimerAguarde").setText("1");
    ui::Timer& blink = main->timer("TimerAguarde");
    blink.setEnabled(true);
    blink.fire();
    EXPECT_EQ(c("lblSysWOW64KB").foreColor(), 0x80000000u);
    blink.fire();
    EXPECT_EQ(c("lblSysWOW64KB").foreColor(), 0x808080u);
    c("lblTimerAguarde").setText("4");
    blink.fire();   // past the last slot nothing blinks
    EXPECT_EQ(c("lblSysWOW64KB").foreColor(), 0x808080u);
}

// Help's documents in the ReadMe folder, About's site; a document not found is no reason to say anything.
TEST_F(MainWindowTest, HelpAndAboutOpenTheirDocumentsAndSite) {
    open();
    recorder.shellAnswer = SE_ERR_FNF;
    c("btnHelp").onClick();
    ASSERT_TRUE(main->helpWindow);
    for (const auto& doc : brontal::windows::kReadMeDocuments) (*main->helpWindow)[doc.button].onClick();
    EXPECT_TRUE(main->helpWindow->isOpen());
    main->helpWindow->close();
    ui::processPendingEvents();
    c("btnAbout").onClick();
    ASSERT_TRUE(main->aboutWindow);
    (*main->aboutWindow)["lblIlvo"].onClick();
    main->aboutWindow->close();
    std::string readMe = brontal::platform::programFolder();
    if (readMe.back() == '\\') readMe.pop_back();
    readMe = "open|" + readMe + "\\ReadMe\\ReadMe_";
    EXPECT_EQ(recorder.shell, (std::vector<std::string>{readMe + "Informacoes-e-consideracoes.pdf",
                                                        readMe + "Licenca-de-utilizacao.pdf",
                                                        readMe + "Caracteristicas-da-versao.pdf",
                                                        "open|http://www.ilvo.example.com/"}));
    EXPECT_TRUE(recorder.messageBoxes.empty());
}

} // namespace

namespace {

using namespace window_test;

// Handles what arrives until cond holds or timeoutMs pass.
bool pumpUntil(const std::function<bool()>& cond, DWORD timeoutMs) {
    ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!cond()) {
        if (GetTickCount64() > end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        ui::processPendingEvents();
    }
    return true;
}

int driveItem(ui::Control& drives, char letter) {
    for (int i = 0; i < drives.count(); ++i)
        if (drives.item(i)[0] == letter) return i;
    return -1;
}

// A drive whose label takes 10 s (a network drive gone away): the window comes up and answers at once, the drive
// listed by its letter, its label filled in when it comes.
TEST_F(MainWindowTest, AStalledVolumeLabelHoldsUpNothingAndArrivesLater) {
    struct Gate {
        HANDLE open = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        ~Gate() { CloseHandle(open); }
    };
    auto gate = std::make_shared<Gate>();
    brontal::Services services = standIns(recorder, true);
    services.volumeLabel = [gate](const std::string& root) -> std::optional<std::string> {
        WaitForSingleObject(gate->open, 10000);
        if (root.rfind("C:", 0) != 0) return std::nullopt;
        return "Lento";
    };
    ULONGLONG started = GetTickCount64();
    main = std::make_unique<brontal::MainWindow>(services);
    main->load();
    main->show();
    ui::processPendingEvents();
    c("btnLimpar").onClick();   // it answers
    EXPECT_LT(GetTickCount64() - started, 1000u) << "the window waited for the drive";
    EXPECT_TRUE(main->visible());
    ui::Control& drives = c("DriveList");
    int index = driveItem(drives, 'c');
    ASSERT_GE(index, 0);
    EXPECT_EQ(drives.item(index), "c:") << "by its letter until the label comes";
    SetEvent(gate->open);
    EXPECT_TRUE(pumpUntil([&] { return drives.item(index) == "c: [Lento]"; }, 5000)) << drives.item(index);
}

// A drive that is not there: refused with a beep, the drive box back on the folder list's drive, the file kept.
TEST_F(MainWindowTest, AMissingDriveLeavesTheDriveBoxAndTheFolderListAgreeing) {
    ASSERT_FALSE(GetLogicalDrives() & (1u << ('Q' - 'A'))) << "the scenario needs Q: to be missing";
    open();
    ui::Control& drives = c("DriveList");
    const std::string folder = main->dirListPath();
    const int shown = drives.selectedIndex();
    ASSERT_EQ(drives.item(shown)[0], static_cast<char>(std::tolower(folder[0])));
    c("txtFile").setText("escolhido.dll");
    int beeps = recorder.beeps;
    drives.addItem("q:");
    drives.setSelectedIndex(drives.count() - 1);
    drives.onChange();
    EXPECT_EQ(drives.selectedIndex(), shown);
    EXPECT_EQ(main->dirListPath(), folder);
    EXPECT_EQ(recorder.beeps, beeps + 1);
    EXPECT_EQ(c("txtFile").text(), "escolhido.dll");
}

} // namespace
