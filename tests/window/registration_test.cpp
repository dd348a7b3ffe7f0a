// A registration when the system says no (the runs stood in for), and the result window's countdown.
#include "stand_ins.h"

#include "registration/confirm_window.h"
#include "registration/registration_command.h"
#include "registration/registration_runner.h"
#include "registration/result_window.h"

namespace {

using namespace window_test;
namespace reg = brontal::registration;

TEST_F(FormsTest, OutcomesSayWhatHappenedAndNeverClaimASuccessThatWasNot) {
    open();
    const std::string name = "Teste & 100%.dll", path = "C:\\Pasta com espaços\\" + name;
    const char *registered = "Componente registrado com sucesso.", *failed = "Erro ao tentar registrar componente.";
    // The reason is on the message line once the result window has closed.
    struct Case {
        const char* mode; bool elevated; ProcessExit exit; const char* text; bool green;
        std::string messageBox, reason = "";
    } cases[] = {
        {"1", true, {true, true, 0}, registered, true, ""},
        {"1", false, {true, true, 0}, registered, true, ""},
        {"0", true, {true, true, 5}, "Erro ao tentar desregistrar componente.", false, "", brontal::exitCodeReason(5)},
        {"1", false, {true, true, 0xC0000005}, failed, false, "", "regsvr32 terminou com o código 3221225477."},
        {"1", true, {true, false, 0}, failed, false, ""},   // no exit code to be read
        // The shell refused the elevated start, then the process could not be created.
        {"1", true, {false, false, 0}, failed, false, "Erro ao tentar executar como administrador"},
        {"1", false, {false, false, 0}, failed, false,
         "Erro ao executar comando: C:\\Windows\\SysWow64\\regsvr32.exe  /s \"" + path + "\""},
    };
    c("lblb").setText("32");
    c("lbl64bits").setText("1");
    for (const Case& k : cases) {
        SCOPED_TRACE(::testing::Message() << "mode " << k.mode << ", elevated " << k.elevated << ", started "
                                          << k.exit.started << ", exit code " << k.exit.exitCode);
        recorder = {.outcomes = {k.exit}};
        c("lblIntReg").setText(k.mode);
        c("lblAdminMode").setText(k.elevated ? "1" : "0");
        // Posted first, this runs inside the result window's own loop: reads it and closes it.
        std::vector<std::string> shown;
        ui::runLater([&shown] {
            if (ui::Form* result = shownForm("Form9")) {
                ui::Control& message = (*result)["lblMensagem"];
                shown = {message.text(), std::to_string(message.foreColor())};
                result->close();
            }
        });
        {
            reg::ConfirmWindow confirm(*main);
            reg::ExecuteRegistration(*main, confirm, path, name);
            EXPECT_FALSE(confirm.isOpen());
        }
        EXPECT_EQ(shown, (std::vector<std::string>{k.text, std::to_string(k.green ? ui::kGreen : ui::kDarkRed)}));
        EXPECT_EQ(recorder.beeps, 1);
        ASSERT_EQ(recorder.runs.size(), 1u);
        EXPECT_EQ(recorder.runs[0].verb, k.elevated ? "runas" : "");
        EXPECT_EQ(recorder.messageBoxes, k.messageBox.empty() ? std::vector<std::string>{}
                                                              : std::vector<std::string>{k.messageBox});
        EXPECT_TRUE(IsWindowEnabled(main->hwnd()));
        // The reason is told like a refusal, and its three seconds end it.
        EXPECT_EQ(c("txtRegistrado").text(), k.reason);
        if (k.reason.empty()) continue;
        EXPECT_EQ(c("txtRegistrado").foreColor(), ui::kDarkRed);
        main->TimerMensagem.fire();
        EXPECT_EQ(c("txtRegistrado").text(), "");
    }
}

TEST_F(FormsTest, ResultWindowCountsDownOnItsTimerAndClosesItselfOrByItsCloseBox) {
    open();
    reg::ResultWindow result(*main);
    ui::Timer& timer = result.timer("TimerCount");
    EXPECT_TRUE(timer.enabled());
    EXPECT_EQ(timer.interval(), 1000);
    EXPECT_EQ(result["lblCount"].text(), "3");
    timer.setInterval(600000);   // the ticks come from the test, not from the clock
    std::vector<std::string> seen;
    ui::runLater([&] {
        for (int tick = 0; tick < 3; ++tick) {
            timer.fire();
            seen.push_back(result["lblCount"].text() + (result.visible() ? " shown" : " hidden"));
        }
    });
    result.showModal();   // back once the window has closed itself
    EXPECT_EQ(seen, (std::vector<std::string>{"2 shown", "1 shown", "0 hidden"}));
    EXPECT_FALSE(result.isOpen());
    EXPECT_TRUE(IsWindowEnabled(main->hwnd()));

    // Closed by its close box before the first tick, it lets the caller go on,
    // and its timer went with it: no tick reaches the closed window.
    reg::ResultWindow early(*main);
    PostMessageW(early.hwnd(), WM_CLOSE, 0, 0);
    early.showModal();
    EXPECT_FALSE(early.isOpen());
    EXPECT_TRUE(IsWindowEnabled(main->hwnd()));
    early.timer("TimerCount").fire();
    EXPECT_EQ(early.countdown(), 3);
}

} // namespace
