// Register and unregister requests on the main window, the confirmation window
// Form6 and the result window Form9, in this process. The process runner is
// stood in for, so the exact command lines can be read and nothing runs.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "platform/files.h"
#include "registration/confirm_window.h"
#include "registration/registration_runner.h"
#include "registration/result_window.h"
#include "ui/events.h"

using brontal::MainWindow;
using brontal::Services;
using brontal::platform::HiddenRun;
using brontal::platform::ProcessExit;
namespace ui = brontal::ui;
namespace reg = brontal::registration;

namespace {

struct FormSearch {
    std::string name;
    ui::Form* found = nullptr;
};

BOOL CALLBACK findForm(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<FormSearch*>(p);
    ui::Form* form = ui::Form::fromHwnd(w);
    if (form && form->name() == s->name && form->isOpen() && form->visible()) {
        s->found = form;
        return FALSE;
    }
    return TRUE;
}

ui::Form* openForm(const std::string& name) {
    FormSearch search{name};
    EnumThreadWindows(GetCurrentThreadId(), &findForm, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Acts on the modal windows from inside their own message loops: each step
// waits until its form is open and shown, then runs once. A Form6 or Form9
// that no step expects is closed at once and counted as a stray.
class Pilot {
public:
    using Action = std::function<void(ui::Form&)>;
    Pilot() {
        current() = this;
        timer_ = SetTimer(nullptr, 0, 10, &Pilot::tick);
    }
    ~Pilot() {
        KillTimer(nullptr, timer_);
        current() = nullptr;
    }
    Pilot& then(std::string form, Action action) {
        steps_.push_back({std::move(form), std::move(action)});
        return *this;
    }
    bool finished() const { return steps_.empty(); }
    std::vector<std::string> strays;
    std::vector<std::string> missed;

private:
    struct Step {
        std::string form;
        Action action;
    };
    static Pilot*& current() {
        static Pilot* pilot = nullptr;
        return pilot;
    }
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        Pilot* p = current();
        if (p) p->step();
    }
    void step() {
        using clock = std::chrono::steady_clock;
        if (!steps_.empty()) {
            if (ui::Form* f = openForm(steps_.front().form)) {
                Step s = std::move(steps_.front());
                steps_.pop_front();
                waitingSince_ = clock::now();
                s.action(*f);
                return;
            }
            if (clock::now() - waitingSince_ > std::chrono::seconds(10)) {
                for (auto& s : steps_) missed.push_back(s.form);
                steps_.clear();
            }
        }
        for (const char* name : {"Form6", "Form9"}) {
            if (ui::Form* f = openForm(name); f && (steps_.empty() || steps_.front().form != name)) {
                strays.push_back(name);
                f->close();
            }
        }
    }
    std::deque<Step> steps_;
    UINT_PTR timer_ = 0;
    std::chrono::steady_clock::time_point waitingSince_ = std::chrono::steady_clock::now();
};

void postKey(int vk) {
    HWND target = GetFocus();
    PostMessageW(target, WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
    PostMessageW(target, WM_KEYUP, static_cast<WPARAM>(vk), static_cast<LPARAM>(0xC0000001u));
}

void click(ui::Control& button) { SendMessageW(button.hwnd(), BM_CLICK, 0, 0); }

struct Recorder {
    int beeps = 0;
    std::vector<std::string> messageBoxes;
    std::vector<HiddenRun> runs;
    std::deque<ProcessExit> outcomes;   // the next runs' outcomes; success once empty
};

Services fakeServices(Recorder& r, bool elevated) {
    Services s;
    s.isElevated = [elevated] { return elevated; };
    s.beep = [&r] { ++r.beeps; };
    s.messageBox = [&r](HWND, const std::string& text, const std::string&, unsigned) {
        r.messageBoxes.push_back(text);
        return IDOK;
    };
    s.shellExecute = [](HWND, const std::string&, const std::string&, const std::string&, const std::string&,
                        int) -> INT_PTR { return 42; };
    s.setClipboardText = [](HWND, const std::string&) { return true; };
    s.runHidden = [&r](const HiddenRun& run) {
        r.runs.push_back(run);
        ProcessExit e{true, true, 0};
        if (!r.outcomes.empty()) {
            e = r.outcomes.front();
            r.outcomes.pop_front();
        }
        return e;
    };
    return s;
}

// What Form9 showed, read when it opened.
struct Shown {
    std::string text;
    ui::OleColor color = 0;
    int left = -1, top = -1;
};

const std::string kDir = "C:\\Pasta com espaços\\Ação & cia\\";
const std::string kName = "Teste & 100%^x.dll";

struct RegistrationTest : ::testing::Test {
    Recorder recorder;
    std::unique_ptr<MainWindow> main;

    void open(bool elevated = true) {
        main = std::make_unique<MainWindow>(fakeServices(recorder, elevated));
        main->load();
        main->show();
        ui::processPendingEvents();
        c("lbl64bits").setText("1");
    }
    ui::Control& c(const char* name) { return (*main)[name]; }

    void select(const std::string& dir, const std::string& name, const std::string& bits = "32") {
        c("lblDirAddress").setText(dir);
        c("lblFileAddress").setText(name);
        c("txtFile").setText(name);
        c("lblb").setText(bits);
    }

    // Form9: remember what it shows and close it without waiting three seconds.
    Pilot::Action readResult(Shown& shown) {
        return [&shown](ui::Form& f) {
            shown.text = f["lblMensagem"].text();
            shown.color = f["lblMensagem"].foreColor();
            shown.left = f.left();
            shown.top = f.top();
            PostMessageW(f.hwnd(), WM_CLOSE, 0, 0);
        };
    }

    // Runs ExecuteRegistration behind a confirmation window of its own.
    Shown execute(const std::string& fullPath, const std::string& fileName) {
        Shown shown;
        Pilot pilot;
        pilot.then("Form9", readResult(shown));
        reg::ConfirmWindow confirm(*main);
        reg::ExecuteRegistration(*main, confirm, fullPath, fileName);
        EXPECT_FALSE(confirm.isOpen());
        EXPECT_TRUE(pilot.strays.empty());
        ui::processPendingEvents();
        return shown;
    }

    void expectIdle() {
        EXPECT_EQ(openForm("Form6"), nullptr);
        EXPECT_EQ(openForm("Form9"), nullptr);
        EXPECT_TRUE(IsWindowEnabled(main->hwnd()));
    }
};

std::string regsvr32Line(const std::string& program, const std::string& switches, const std::string& path) {
    return program + switches + "\"" + path + "\"";
}

TEST_F(RegistrationTest, RefusalsBeepSayWhyAndOpenNothing) {
    open();
    struct Case {
        const char* what;
        std::function<void()> arrange;
        const char* button;
        const char* message;
    } cases[] = {
        {"nothing selected", [&] { c("btnLimpar").onClick(); }, "btnReg", "É preciso selecionar um arquivo primeiro."},
        {"nothing selected, unregister", [&] { c("btnLimpar").onClick(); }, "btnUnreg",
         "É preciso selecionar um arquivo primeiro."},
        // A folder change empties the name box but leaves the last name in
        // lblFileAddress: that is no selection.
        {"stale name", [&] { select(kDir, "old.dll"), c("txtFile").setText(""); }, "btnReg",
         "É preciso selecionar um arquivo primeiro."},
        {"text file", [&] { select(kDir, "leia-me.txt"); }, "btnReg",
         "Apenas arquivos dll ou ocx podem ser registrados."},
        {"text file, unregister", [&] { select(kDir, "leia-me.txt"); }, "btnUnreg",
         "Apenas arquivos dll ou ocx podem ser desregistrados."},
        {"dll with more after it", [&] { select(kDir, "x.dll.bak"); }, "btnReg",
         "Apenas arquivos dll ou ocx podem ser registrados."},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        k.arrange();
        int beeps = recorder.beeps;
        Pilot pilot;
        c(k.button).onClick();
        ui::processPendingEvents();
        EXPECT_EQ(recorder.beeps, beeps + 1);
        EXPECT_EQ(c("txtRegistrado").text(), k.message);
        EXPECT_EQ(c("txtRegistrado").foreColor(), ui::kDarkRed);
        EXPECT_EQ(main->timer("TimerMensagem").interval(), 3000);
        EXPECT_TRUE(pilot.strays.empty());
        EXPECT_TRUE(recorder.runs.empty());
    }
}

TEST_F(RegistrationTest, ConfirmationWindowLooksLikeItsLayout) {
    open();
    main->moveTo(2400, 1500);
    select(kDir, "Comp.DLL");
    struct Expect {
        const char* name;
        int left, top, width, height;
    } expected[] = {{"Label3", 210, 145, 3105, 240},       {"lblRegUnreg", 190, 460, 3180, 375},
                    {"txtComponente", 260, 680, 3000, 260}, {"Label2", 215, 930, 3090, 450},
                    {"Label4", 260, 1410, 2990, 15},        {"btnSim", 890, 1630, 760, 375},
                    {"btnNao", 1845, 1630, 760, 375},       {"btnFoco", 1200, 2520, 1095, 495}};
    bool looked = false;
    Pilot pilot;
    pilot.then("Form6", [&](ui::Form& f) {
        looked = true;
        for (const Expect& e : expected) {
            RECT r;
            GetWindowRect(f[e.name].hwnd(), &r);
            MapWindowPoints(nullptr, f.hwnd(), reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(r.left, ui::twipsToPixels(e.left)) << e.name;
            EXPECT_EQ(r.top, ui::twipsToPixels(e.top)) << e.name;
            EXPECT_EQ(r.right - r.left, ui::twipsToPixels(e.width)) << e.name;
            EXPECT_EQ(r.bottom - r.top, ui::twipsToPixels(e.height)) << e.name;
        }
        const ui::ShapeArgs& banner = f.shape("Shape1").args();
        EXPECT_TRUE(banner.rounded);
        EXPECT_EQ(banner.backColor, ui::kDarkRed);
        EXPECT_EQ((std::vector<int>{banner.left, banner.top, banner.width, banner.height}),
                  (std::vector<int>{260, 90, 3000, 330}));
        RECT client;
        GetClientRect(f.hwnd(), &client);
        EXPECT_EQ(client.right, ui::twipsToPixels(3495));
        EXPECT_EQ(client.bottom, ui::twipsToPixels(2235));
        EXPECT_LT(client.bottom, ui::twipsToPixels(2520)); // the focus holder is out of sight
        wchar_t caption[32];
        GetWindowTextW(f.hwnd(), caption, 32);
        EXPECT_STREQ(caption, L"Brontal32");
        EXPECT_NE(SendMessageW(f.hwnd(), WM_GETICON, ICON_SMALL, 0), 0);
        EXPECT_NEAR(f.left(), (main->width() - f.width()) / 2 + main->left(), 15);
        EXPECT_NEAR(f.top(), main->top() + 1460, 15);

        EXPECT_EQ(f["Label3"].text(), "ATENÇÃO!");
        EXPECT_EQ(f["Label3"].foreColor(), ui::kRgbWhite);
        EXPECT_EQ(f["lblRegUnreg"].text(), "Deseja realmente registrar");
        EXPECT_EQ(f["txtComponente"].text(), "Comp.DLL?");
        EXPECT_EQ(f["Label2"].text(),
                  "Esta operação poderá comprometer o funcionamento dos softwares dependentes.");
        EXPECT_EQ(f["Label2"].foreColor(), ui::systemColor(COLOR_GRAYTEXT));
        EXPECT_EQ(f["btnSim"].text(), "Sim");
        EXPECT_EQ(f["btnNao"].text(), "Não");
        EXPECT_EQ(f["btnFoco"].text(), "Command1");
        EXPECT_EQ(GetFocus(), f["btnFoco"].hwnd());
        EXPECT_FALSE(IsWindowEnabled(main->hwnd())); // modal
        click(f["btnNao"]);
    });
    c("btnReg").onClick();
    EXPECT_TRUE(looked);
    EXPECT_EQ(c("lblIntReg").text(), "1");
    EXPECT_EQ(c("lblLeftReg").text(), std::to_string(main->left() + 1035));
    EXPECT_EQ(c("lblTopReg").text(), std::to_string(main->top() + 1980));
    EXPECT_TRUE(recorder.runs.empty());
    EXPECT_TRUE(pilot.strays.empty());
    expectIdle();
}

TEST_F(RegistrationTest, UnregisterAsksItsOwnQuestionAndAcceptsOcxInAnyCase) {
    open();
    select(kDir, "Grade.Ocx");
    std::string question;
    Pilot pilot;
    pilot.then("Form6", [&](ui::Form& f) {
        question = f["lblRegUnreg"].text();
        click(f["btnNao"]);
    });
    c("btnUnreg").onClick();
    EXPECT_EQ(question, "Deseja realmente desregistrar");
    EXPECT_EQ(c("lblIntReg").text(), "0");
    EXPECT_TRUE(recorder.runs.empty());
}

TEST_F(RegistrationTest, EnterRightAfterOpeningClosesWithoutRegistering) {
    open();
    select(kDir, kName);
    Pilot pilot;
    pilot.then("Form6", [&](ui::Form& f) {
        EXPECT_EQ(GetFocus(), f["btnFoco"].hwnd());
        postKey(VK_RETURN);
    });
    c("btnReg").onClick();
    EXPECT_TRUE(pilot.finished());
    EXPECT_TRUE(pilot.strays.empty());
    EXPECT_TRUE(recorder.runs.empty());
    EXPECT_EQ(recorder.beeps, 0);
    expectIdle();
}

TEST_F(RegistrationTest, TabToSimThenEnterRegistersAndTheFocusHolderIsGone) {
    open();
    select(kDir, kName);
    Shown shown;
    Pilot pilot;
    pilot.then("Form6", [](ui::Form&) { postKey(VK_TAB); })
        .then("Form6",
              [](ui::Form& f) {
                  EXPECT_EQ(GetFocus(), f["btnSim"].hwnd());
                  EXPECT_FALSE(f["btnFoco"].enabled());
                  postKey(VK_TAB);
              })
        .then("Form6",
              [](ui::Form& f) {
                  EXPECT_EQ(GetFocus(), f["btnNao"].hwnd());
                  postKey(VK_TAB);
              })
        .then("Form6",
              [](ui::Form& f) {
                  EXPECT_EQ(GetFocus(), f["btnSim"].hwnd()); // past "Não" comes "Sim" again
                  postKey(VK_RETURN);
              })
        .then("Form9", readResult(shown));
    c("btnReg").onClick();
    EXPECT_TRUE(pilot.finished());
    EXPECT_TRUE(pilot.strays.empty());
    ASSERT_EQ(recorder.runs.size(), 1u);
    EXPECT_EQ(shown.text, "Componente registrado com sucesso.");
    expectIdle();
}

TEST_F(RegistrationTest, DecliningLeavesNothingAndTheNextRequestStartsAfresh) {
    open();
    select(kDir, kName);
    Pilot pilot;
    pilot.then("Form6", [](ui::Form&) { postKey(VK_TAB); })
        .then("Form6", [](ui::Form& f) {
            EXPECT_FALSE(f["btnFoco"].enabled());
            click(f["btnNao"]);
        });
    c("btnReg").onClick();
    EXPECT_TRUE(pilot.finished());
    pilot.then("Form6", [](ui::Form& f) {
        EXPECT_TRUE(f["btnFoco"].enabled());
        EXPECT_EQ(GetFocus(), f["btnFoco"].hwnd());
        click(f["btnNao"]);
    });
    c("btnReg").onClick();
    EXPECT_TRUE(pilot.finished());
    EXPECT_TRUE(pilot.strays.empty());
    EXPECT_TRUE(recorder.runs.empty());
    expectIdle();
}

// regsvr32 itself is the file the shell starts, with the rest of the command
// line as its parameters: no command interpreter could expand the % in the name.
TEST_F(RegistrationTest, SimRunsRegsvr32ItselfOnceThroughTheShell) {
    open();
    main->moveTo(2400, 1500);
    select(kDir, kName);
    HWND confirmHwnd = nullptr;
    Shown shown;
    Pilot pilot;
    pilot.then("Form6", [&](ui::Form& f) {
             confirmHwnd = f.hwnd();
             click(f["btnSim"]);
         })
        .then("Form9", readResult(shown));
    c("btnReg").onClick();
    ASSERT_EQ(recorder.runs.size(), 1u);
    const HiddenRun& run = recorder.runs[0];
    std::string system = brontal::platform::systemFolder();
    EXPECT_EQ(run.verb, "runas");
    EXPECT_EQ(run.file, "C:\\Windows\\SysWow64\\regsvr32.exe");
    EXPECT_EQ(run.directory, system);
    EXPECT_EQ(run.parameters, "  /s \"C:\\Pasta com espaços\\Ação & cia\\Teste & 100%^x.dll\"");
    EXPECT_EQ(run.commandLine, "");
    EXPECT_EQ(run.owner, confirmHwnd);
    EXPECT_EQ(recorder.beeps, 1);
    EXPECT_TRUE(recorder.messageBoxes.empty());
    EXPECT_EQ(shown.text, "Componente registrado com sucesso.");
    EXPECT_EQ(shown.color, ui::kGreen);
    EXPECT_EQ(shown.left, main->left() + 1035);
    EXPECT_EQ(shown.top, main->top() + 1980);
    EXPECT_TRUE(pilot.strays.empty());
    expectIdle();
}

TEST_F(RegistrationTest, ProgramAndSwitchesFollowBitnessAndMode) {
    open();
    struct Case {
        const char* bits;
        const char* windows64;
        const char* mode;
        std::string program;
        std::string switches;
    } cases[] = {
        {"32", "1", "1", "C:\\Windows\\SysWow64\\regsvr32.exe", "  /s "},
        {"32", "1", "0", "C:\\Windows\\SysWow64\\regsvr32.exe", "  /u /s "},
        {"64", "1", "1", "C:\\Windows\\Sysnative\\regsvr32.exe", "  /s "},
        {"64", "1", "7", "C:\\Windows\\Sysnative\\regsvr32.exe", "  /u /s "}, // anything but 1 unregisters
        {"", "1", "1", "C:\\Windows\\Sysnative\\regsvr32.exe", "  /s "},      // only exactly "32" is 32-bit
        {"32", "0", "1", "C:\\Windows\\System32\\regsvr32.exe", "  /s "},     // 32-bit Windows
        {"32", "0", "0", "C:\\Windows\\System32\\regsvr32.exe", "  /u /s "},
    };
    std::string path = kDir + kName;
    for (const Case& k : cases) {
        SCOPED_TRACE(k.program + k.switches);
        recorder.runs.clear();
        c("lblb").setText(k.bits);
        c("lbl64bits").setText(k.windows64);
        c("lblIntReg").setText(k.mode);
        execute(path, kName);
        ASSERT_EQ(recorder.runs.size(), 1u);
        EXPECT_EQ(recorder.runs[0].verb, "runas");
        EXPECT_EQ(recorder.runs[0].file, k.program);
        EXPECT_EQ(recorder.runs[0].parameters, k.switches + "\"" + path + "\"");
    }
}

TEST_F(RegistrationTest, OutcomesSayWhatHappenedAndNeverClaimASuccessThatWasNot) {
    open();
    std::string path = kDir + kName;
    std::string command = regsvr32Line("C:\\Windows\\SysWow64\\regsvr32.exe", "  /s ", path);
    struct Case {
        const char* what;
        const char* mode;
        const char* admin;
        ProcessExit exit;
        const char* text;
        ui::OleColor color;
        std::string messageBox;
    } cases[] = {
        {"success", "1", "1", {true, true, 0}, "Componente registrado com sucesso.", ui::kGreen, ""},
        {"unregistered", "0", "1", {true, true, 0}, "Componente desregistrado com sucesso.", ui::kGreen, ""},
        {"regsvr32 failed", "1", "1", {true, true, 3}, "Erro ao tentar registrar componente.", ui::kDarkRed, ""},
        {"unregister failed", "0", "1", {true, true, 5}, "Erro ao tentar desregistrar componente.", ui::kDarkRed,
         ""},
        {"no exit code", "1", "1", {true, false, 0}, "Erro ao tentar registrar componente.", ui::kDarkRed, ""},
        {"shell refused", "1", "1", {false, false, 0}, "Erro ao tentar registrar componente.", ui::kDarkRed,
         "Erro ao tentar executar como administrador"},
        {"not created", "1", "0", {false, false, 0}, "Erro ao tentar registrar componente.", ui::kDarkRed,
         "Erro ao executar comando: " + command},
        {"direct success", "1", "0", {true, true, 0}, "Componente registrado com sucesso.", ui::kGreen, ""},
    };
    c("lblb").setText("32");
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        recorder.runs.clear();
        recorder.messageBoxes.clear();
        recorder.outcomes = {k.exit};
        int beeps = recorder.beeps;
        c("lblIntReg").setText(k.mode);
        c("lblAdminMode").setText(k.admin);
        Shown shown = execute(path, kName);
        EXPECT_EQ(shown.text, k.text);
        EXPECT_EQ(shown.color, k.color);
        EXPECT_EQ(recorder.beeps, beeps + 1);
        ASSERT_EQ(recorder.runs.size(), 1u);
        // Without rights the process is created from regsvr32's full path,
        // with the whole line as its command line.
        EXPECT_EQ(recorder.runs[0].file, "C:\\Windows\\SysWow64\\regsvr32.exe");
        if (k.admin == std::string("0")) {
            EXPECT_EQ(recorder.runs[0].verb, "");
            EXPECT_EQ(recorder.runs[0].commandLine, command);
        }
        if (k.messageBox.empty())
            EXPECT_TRUE(recorder.messageBoxes.empty());
        else
            EXPECT_EQ(recorder.messageBoxes, std::vector<std::string>{k.messageBox});
        expectIdle();
    }
}

TEST_F(RegistrationTest, ExecutorRefusesOnItsOwnAndStillClosesTheConfirmation) {
    open();
    struct Case {
        std::string path, name, message;
    } cases[] = {{kDir, "", "É preciso selecionar um arquivo primeiro."},
                 {kDir + "Selecione um componente a ser verificado", "Selecione um componente a ser verificado",
                  "É preciso selecionar um arquivo primeiro."},
                 {kDir + "nota.txt", "nota.txt", "Somente arquivos dll e ocx podem ser (des)registrados."}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.message);
        int beeps = recorder.beeps;
        Pilot pilot;
        reg::ConfirmWindow confirm(*main);
        reg::ExecuteRegistration(*main, confirm, k.path, k.name);
        EXPECT_FALSE(confirm.isOpen());
        EXPECT_EQ(recorder.beeps, beeps + 1);
        EXPECT_EQ(c("txtRegistrado").text(), k.message);
        EXPECT_TRUE(pilot.strays.empty()); // no result window
        EXPECT_TRUE(recorder.runs.empty());
    }
    expectIdle();
}

TEST_F(RegistrationTest, ResultWindowCountsDownAndClosesItself) {
    open();
    c("lblLeftReg").setText("3435");
    c("lblTopReg").setText("3480");
    reg::ResultWindow result(*main);
    EXPECT_EQ(result.left(), 3435);
    EXPECT_EQ(result.top(), 3480);
    RECT client;
    GetClientRect(result.hwnd(), &client);
    EXPECT_EQ(client.right, ui::twipsToPixels(3495));
    EXPECT_EQ(client.bottom, ui::twipsToPixels(1215));
    LONG style = GetWindowLongW(result.hwnd(), GWL_STYLE);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(result["Label1"].text(), "Fechando em");
    EXPECT_EQ(result["Label2"].text(), "segundos...");
    EXPECT_EQ(result["lblCount"].text(), "3");
    EXPECT_TRUE(result.timer("TimerCount").enabled());
    EXPECT_EQ(result.timer("TimerCount").interval(), 1000);

    std::vector<std::string> counts;
    ui::Timer& timer = result.timer("TimerCount");
    auto tick = timer.onTick;
    timer.onTick = [&] {
        tick();
        counts.push_back(result["lblCount"].text());
    };
    auto start = std::chrono::steady_clock::now();
    result.showModal();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(counts, (std::vector<std::string>{"2", "1", "0"}));
    EXPECT_GT(seconds, 2.5);
    EXPECT_LT(seconds, 4.5);
    EXPECT_FALSE(result.isOpen());
    EXPECT_EQ(result.countdown(), 0);
    expectIdle();
}

TEST_F(RegistrationTest, ResultWindowClosedEarlyLetsTheCallerGoOn) {
    open();
    // The design captions "0" put it at the screen's top-left corner.
    reg::ResultWindow result(*main);
    EXPECT_EQ(result.left(), 0);
    EXPECT_EQ(result.top(), 0);
    Pilot pilot;
    pilot.then("Form9", [](ui::Form& f) { PostMessageW(f.hwnd(), WM_CLOSE, 0, 0); });
    auto start = std::chrono::steady_clock::now();
    result.showModal();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_FALSE(result.isOpen());
    // Its timer went with it: nothing ticks into the closed window.
    Sleep(1200);
    ui::processPendingEvents();
    EXPECT_EQ(result.countdown(), 3);
    expectIdle();
}

void realClick(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    while (std::chrono::steady_clock::now() < until) {
        ui::processPendingEvents();
        Sleep(10);
    }
}

// User mode: the buttons are disabled (see the main window's tests), and a
// real click on them reaches no handler.
TEST_F(RegistrationTest, UserModeClicksOnTheRegistrationButtonsDoNothing) {
    open(false);
    select(kDir, kName);
    SetForegroundWindow(main->hwnd());
    ui::processPendingEvents();
    {
        // The same click on an enabled button does open the confirmation.
        bool opened = false;
        c("btnReg").setEnabled(true);
        Pilot pilot;
        pilot.then("Form6", [&](ui::Form& f) {
            opened = true;
            click(f["btnNao"]);
        });
        realClick(c("btnReg").hwnd());
        EXPECT_TRUE(opened);
        c("btnReg").setEnabled(false);
    }
    Pilot pilot;
    for (const char* name : {"btnReg", "btnUnreg"}) realClick(c(name).hwnd());
    EXPECT_TRUE(pilot.strays.empty());
    EXPECT_TRUE(recorder.runs.empty());
    EXPECT_EQ(recorder.beeps, 0);
    EXPECT_EQ(c("txtRegistrado").text(), "");
}

} // namespace
