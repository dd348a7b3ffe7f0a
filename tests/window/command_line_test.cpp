// The command line's registration where end-to-end cannot go: Wine runs every
// process elevated, so the refusal without administrator rights is seen with
// the token probe stood in for.
#include "app/command_line.h"
#include "registration/registration_command.h"
#include "stand_ins.h"

namespace {

struct Captured final : brontal::platform::TextStreams {
    std::string out_, err_;
    void out(std::string_view t) override { out_ += t; }
    void err(std::string_view t) override { err_ += t; }
    bool outIsConsole() const override { return false; }
};

TEST(CommandLineRegistration, RefusedWithoutAdministratorRightsAndOtherwiseRunAsTheButtonsRunIt) {
    const std::string dll = "C:\\Windows\\System32\\ole32.dll";   // any readable 32-bit library
    brontal::Command command = brontal::parseCommand({"/desregistrar", dll});
    for (bool elevated : {false, true}) {
        window_test::Recorder recorder;
        recorder.outcomes.push_back({true, true, 4});
        brontal::Services services = window_test::standIns(recorder, elevated);
        Captured streams;
        int code = brontal::runCommand(command, services, streams);
        if (!elevated) {
            EXPECT_EQ(code, 5);
            EXPECT_TRUE(recorder.runs.empty()) << "regsvr32 ran without administrator rights";
            EXPECT_NE(streams.err_.find("administrador"), std::string::npos) << streams.err_;
            EXPECT_EQ(streams.out_, "");
            continue;
        }
        EXPECT_EQ(code, 4);
        ASSERT_EQ(recorder.runs.size(), 1u);
        EXPECT_EQ(recorder.runs[0].verb, "runas");
        EXPECT_EQ(recorder.runs[0].parameters, "  /u /s \"" + dll + "\"");
        EXPECT_EQ(streams.out_, "Erro ao tentar desregistrar componente.\r\n" + brontal::exitCodeReason(4) + "\r\n");
    }
}

} // namespace
