// The main window in this process, with the token probe, beeps, message boxes
// and the shell stood in for, so user mode can be seen under Wine (which runs
// everything elevated) and nothing ever blocks on a dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "platform/files.h"
#include "ui/events.h"
#include "ui/window_props.h"

using brontal::MainWindow;
using brontal::Services;

namespace {

struct Recorder {
    int beeps = 0;
    std::vector<std::string> messages;
    std::vector<std::string> shell; // "verb|file|params"
    std::string clipboard;
};

Services fakeServices(Recorder& r, bool elevated) {
    Services s;
    s.isElevated = [elevated] { return elevated; };
    s.beep = [&r] { ++r.beeps; };
    s.messageBox = [&r](HWND, const std::string& text, const std::string&, unsigned) {
        r.messages.push_back(text);
        return IDOK;
    };
    s.shellExecute = [&r](HWND, const std::string& verb, const std::string& file, const std::string& params,
                          const std::string&, int) -> INT_PTR {
        r.shell.push_back(verb + "|" + file + "|" + params);
        return 42;
    };
    s.setClipboardText = [&r](HWND, const std::string& text) {
        r.clipboard = text;
        return true;
    };
    return s;
}

struct MainWindowTest : ::testing::Test {
    Recorder recorder;
    std::unique_ptr<MainWindow> main;
    void open(bool elevated) {
        main = std::make_unique<MainWindow>(fakeServices(recorder, elevated));
        main->load();
        main->show();
        brontal::ui::processPendingEvents();
    }
    brontal::ui::Control& c(const char* name) { return (*main)[name]; }
};

TEST_F(MainWindowTest, UserModeOffersNoRegistration) {
    open(false);
    EXPECT_EQ(c("lblAdminMode").text(), "0");
    EXPECT_TRUE(c("lblAdminMode0").visible());
    EXPECT_FALSE(c("lblAdminMode2").visible());
    EXPECT_EQ(c("lblAdminMode0").text(), "Executando em modo usuário.");
    EXPECT_TRUE(c("lblAdminMode1").visible());
    EXPECT_EQ(c("lblAdminMode1").text(), "+");
    EXPECT_EQ(c("lblAdminMode1").left(), 2330);
    EXPECT_FALSE(c("btnReg").enabled());
    EXPECT_FALSE(c("btnUnreg").enabled());
    EXPECT_EQ(c("btnCMD").tip(), " Prompt de Comando (CMD) ");
    EXPECT_EQ(c("btnRegistro").tip(), " Registro do Windows (Regedit) ");
}

TEST_F(MainWindowTest, AdminModeSaysSoAndOffersRegistration) {
    open(true);
    EXPECT_EQ(c("lblAdminMode").text(), "1");
    EXPECT_TRUE(c("lblAdminMode2").visible());
    EXPECT_FALSE(c("lblAdminMode0").visible());
    EXPECT_EQ(c("lblAdminMode1").left(), 2430);
    EXPECT_EQ(c("lblAdminMode1").foreColor(), 0x8000000Cu);
    EXPECT_TRUE(c("btnReg").enabled());
    EXPECT_EQ(c("btnCMD").tip(), " Prompt de Comando (CMD) - modo admin ");
    EXPECT_EQ(c("btnRegistro").tip(), " Registro do Windows (Regedit) - 32 bits ");
}

TEST_F(MainWindowTest, WindowHasItsFixedSizeAndNoMaximizeBox) {
    open(true);
    EXPECT_EQ(main->width(), 5655);
    EXPECT_EQ(main->height(), 5670);
    EXPECT_EQ(GetWindowLongW(main->hwnd(), GWL_STYLE) & WS_MAXIMIZEBOX, 0);
    main->setSize(7000, 7000);
    brontal::ui::processPendingEvents();
    EXPECT_EQ(main->width(), 5655);
    EXPECT_EQ(main->height(), 5670);
    wchar_t caption[64];
    GetWindowTextW(main->hwnd(), caption, 64);
    EXPECT_STREQ(caption, L"Brontal32");
}

TEST_F(MainWindowTest, ControlsStandWhereTheLayoutPutsThem) {
    open(true);
    struct Expect {
        const char* name;
        int left, top, width, height;
    } expected[] = {{"DriveList", 120, 120, 2535, 315}, {"DirList", 120, 555, 2535, 1665},
                    {"FileList", 2760, 121, 2535, 2040}, {"txtFile", 435, 2330, 3115, 230},
                    {"txtKB", 3700, 2330, 1175, 230},    {"btnVer", 2760, 4630, 315, 300},
                    {"btnAbout", 4960, 4630, 315, 300},  {"chkCopy", 130, 4175, 255, 275}};
    for (const Expect& e : expected) {
        HWND h = c(e.name).hwnd();
        RECT r;
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, main->hwnd(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, brontal::ui::twipsToPixels(e.left)) << e.name;
        EXPECT_EQ(r.top, brontal::ui::twipsToPixels(e.top)) << e.name;
        EXPECT_EQ(r.right - r.left, brontal::ui::twipsToPixels(e.width)) << e.name;
        if (std::string(e.name) != "DriveList") EXPECT_EQ(r.bottom - r.top, brontal::ui::twipsToPixels(e.height)) << e.name;
    }
}

TEST_F(MainWindowTest, FileButtonWithNothingSelectedBeepsAndComplains) {
    open(true);
    c("btnLimpar").onClick();
    c("btnFile").onClick();
    EXPECT_EQ(recorder.beeps, 1);
    EXPECT_EQ(c("txtRegistrado").text(), "É preciso Selecionar um item primeiro");
    EXPECT_EQ(c("txtRegistrado").foreColor(), 192u);
    EXPECT_EQ(main->timer("TimerMensagem").interval(), 3000);
    EXPECT_TRUE(main->timer("TimerMensagem").enabled());
    main->timer("TimerMensagem").fire();
    EXPECT_EQ(c("txtRegistrado").text(), "");
    EXPECT_FALSE(main->timer("TimerMensagem").enabled());
}

// The clear that a refusal set up takes that refusal only: an answer written
// on the line before it falls due stays.
TEST_F(MainWindowTest, TheMessageLinesClearSparesALaterAnswer) {
    open(true);
    main->ShowErrorMessage("É preciso selecionar um arquivo primeiro.");
    c("txtRegistrado").setForeColor(brontal::ui::kGreen);
    c("txtRegistrado").setText("Componente 32 bits localizado no Registro.");
    main->timer("TimerMensagem").fire();
    EXPECT_EQ(c("txtRegistrado").text(), "Componente 32 bits localizado no Registro.");
    EXPECT_FALSE(main->timer("TimerMensagem").enabled());
}

// The press effect through the mouse messages a control really gets, in the
// orders a user can make them.
TEST_F(MainWindowTest, ThePressEffectAlwaysComesBackToTheDesignPlace) {
    open(true);
    brontal::ui::Control& text = c("lblSystem32");
    brontal::ui::Control& image = c("imgSystem32");
    brontal::ui::Control& other = c("lblSysWOW64");
    const POINT textAt{text.left(), text.top()}, imageAt{image.left(), image.top()}, otherAt{other.left(), other.top()};
    auto send = [](brontal::ui::Control& to, UINT msg, WPARAM keys) { SendMessageW(to.hwnd(), msg, keys, MAKELPARAM(2, 2)); };
    auto expectHome = [&](const char* after) {
        EXPECT_EQ(text.left(), textAt.x) << after;
        EXPECT_EQ(text.top(), textAt.y) << after;
        EXPECT_EQ(image.left(), imageAt.x) << after;
        EXPECT_EQ(image.top(), imageAt.y) << after;
        EXPECT_EQ(other.left(), otherAt.x) << after;
        EXPECT_EQ(other.top(), otherAt.y) << after;
    };

    send(text, WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(text.left(), textAt.x + 15);
    EXPECT_EQ(image.top(), imageAt.y + 15);
    send(text, WM_LBUTTONUP, 0);
    expectHome("a click");
    EXPECT_EQ(recorder.shell.size(), 1u);

    send(text, WM_RBUTTONDOWN, MK_RBUTTON);
    send(text, WM_LBUTTONDOWN, MK_LBUTTON | MK_RBUTTON);
    send(text, WM_LBUTTONUP, MK_RBUTTON);
    send(text, WM_RBUTTONUP, 0);
    expectHome("a right press, then a left one");

    // The storage labels now hold the System32 pair's place.
    send(other, WM_LBUTTONUP, 0);
    expectHome("a release with no press");

    send(text, WM_LBUTTONDOWN, MK_LBUTTON);
    ReleaseCapture();   // another window takes the mouse
    expectHome("a lost capture");
    send(text, WM_LBUTTONUP, 0);
    expectHome("the release after the lost capture");
    EXPECT_EQ(recorder.shell.size(), 2u) << "the two left presses released on the pair opened its folder, nothing else did";
}

TEST_F(MainWindowTest, SizeLabelsBlinkBetweenTwoColours) {
    open(true);
    c("lblTimerAguarde").setText("1");
    main->timer("TimerAguarde").setEnabled(true);
    main->timer("TimerAguarde").fire();
    EXPECT_EQ(c("lblSysWOW64KB").foreColor(), 0x80000000u);
    main->timer("TimerAguarde").fire();
    EXPECT_EQ(c("lblSysWOW64KB").foreColor(), 0x808080u);
    c("lblTimerAguarde").setText("4");
    main->timer("TimerAguarde").fire(); // past the last slot nothing blinks
    EXPECT_EQ(c("lblSysWOW64KB").foreColor(), 0x808080u);
}

} // namespace

namespace {

TEST_F(MainWindowTest, PromptAndRegistryEditorComeFromTheSystemAndAskForRightsWhenElevated) {
    std::string cmd = brontal::platform::systemFolder() + "\\cmd.exe";
    for (bool elevated : {false, true}) {
        recorder.shell.clear();
        open(elevated);
        c("btnCMD").onClick();
        c("btnRegistro").onClick();
        std::string verb = elevated ? "runas" : "";
        EXPECT_EQ(recorder.shell, (std::vector<std::string>{verb + "|" + cmd + "|/K cd /d C:\\",
                                                            verb + "|C:\\Windows\\Regedit.exe|"}));
        EXPECT_TRUE(recorder.messages.empty());
        main.reset();
    }
}

TEST_F(MainWindowTest, FolderShortcutCopiesTheNameOnlyWhenThereIsOne) {
    open(true);
    recorder.clipboard = "what the user had";
    c("chkCopy").setChecked(true);
    c("chkCopy").onClick();
    EXPECT_EQ(c("lblCheckValue").text(), "1");
    EXPECT_EQ(c("lblCheckTest").foreColor(), 0x80000012u);
    for (const char* shown : {"Selecione um componente a ser verificado", ""}) {
        c("txtFile").setText(shown);
        c("lblSystem32").onClick();
        EXPECT_EQ(recorder.clipboard, "what the user had") << '"' << shown << '"';
    }
    c("txtFile").setText("Grade.ocx");
    c("imgCommonFilesX86").onClick();
    EXPECT_EQ(recorder.clipboard, "Grade.ocx");
    EXPECT_EQ(recorder.shell.back(), "open|C:\\Program Files (x86)\\Common Files|");
    c("chkCopy").setChecked(false);
    c("chkCopy").onClick();
    EXPECT_EQ(c("lblCheckValue").text(), "0");
    EXPECT_EQ(c("lblCheckTest").foreColor(), 0x80000010u);
}

} // namespace
