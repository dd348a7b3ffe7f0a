#include "app/command_line.h"

#include <windows.h>

#include "app/file_verification.h"
#include "core/pe_probe.h"
#include "platform/files.h"
#include "registration/registration_command.h"
#include "registration/registration_runner.h"

namespace brontal {
namespace {

constexpr char kNotAdmin[] =
    "É preciso executar o Brontal32 como administrador para registrar ou desregistrar componentes.";

int refuse(platform::TextStreams& streams, const std::string& why, int code) {
    streams.err(why + "\r\n");
    return code;
}

std::string seconds(unsigned long ms) { return std::to_string((ms + 999) / 1000) + " s"; }

int verify(const std::string& path, bool json, unsigned long limitMs, platform::TextStreams& streams) {
    // The verify button's refusal, in its words.
    if (platform::fileExists(path) && !hasComponentExtension(path))
        return refuse(streams, "Apenas arquivos dll e ocx podem ser verificados.", kExitNotComponent);
    VerifyProblem problem;
    std::string warning;
    std::optional<Verification> v = verifyFile(path, problem, warning, limitMs);
    if (!v) {
        switch (problem.why) {
        case VerifyProblem::ChildTimedOut:
            return refuse(streams, problem.text + " não terminou em " + seconds(limitMs) + ".", kExitTimedOut);
        case VerifyProblem::ChildNotStarted:
            return refuse(streams, "Não foi possível executar " + problem.text + ".", kExitNotStarted);
        case VerifyProblem::Unreadable:
            break;
        }
        return refuse(streams, problem.text, kExitUnreadable);
    }
    if (!warning.empty()) streams.err(warning + "\r\n");
    // The report window's copy-all text, byte for byte; at a console the
    // streams end it with a line break.
    streams.out(json ? verificationJson(*v) : reportText(reportFieldsOf(*v)));
    return verificationExitCode(*v);
}

// The buttons' program choice, arguments and elevation rule; only an
// elevated run gets this far, so it goes through the shell's "runas" verb as
// theirs does.
int registerFile(RegMode mode, const std::string& path, Services& services, unsigned long limitMs,
                 platform::TextStreams& streams) {
    std::optional<PeVerdict> verdict = platform::probeFile(path);
    if (!verdict || platform::folderExists(path))
        return refuse(streams, "Não foi possível ler o arquivo: " + path, kExitUnreadable);
    if (!hasComponentExtension(path))
        return refuse(streams, "Somente arquivos dll e ocx podem ser (des)registrados.", kExitNotComponent);
    if (!services.isElevated()) return refuse(streams, kNotAdmin, kExitNotAdmin);
    const std::string program = regsvr32Program(bitnessText(verdict->is64()), platform::windowsIs64());
    platform::HiddenRun run = registration::hiddenRun(program, regsvr32Arguments(mode, path), true);
    run.timeLimitMs = limitMs;
    platform::ProcessExit exit = services.runHidden(run);
    if (!exit.started) return refuse(streams, "Erro ao tentar executar como administrador: " + run.file, kExitNotStarted);
    if (exit.timedOut) return refuse(streams, run.file + " não terminou em " + seconds(limitMs) + ".", kExitTimedOut);
    bool ok = exit.succeeded();
    std::string text = outcomeText(mode, ok) + "\r\n";
    if (!ok && exit.exitCodeRead) text += exitCodeReason(exit.exitCode) + "\r\n";
    streams.out(text);
    if (!exit.exitCodeRead)
        return refuse(streams, "Não foi possível ler o código de saída de " + run.file + ".", kExitCodeUnread);
    return static_cast<int>(exit.exitCode);
}

int dispatch(const Command& command, Services& services, unsigned long limitMs, platform::TextStreams& streams) {
    std::string path = command.path.empty() ? "" : platform::fullPath(command.path);
    switch (command.kind) {
    case CommandKind::Usage:
        streams.out(usageText());
        return 0;
    case CommandKind::Verify:
        return verify(path, command.json, limitMs, streams);
    case CommandKind::Register:
        return registerFile(RegMode::Register, path, services, limitMs, streams);
    case CommandKind::Unregister:
        return registerFile(RegMode::Unregister, path, services, limitMs, streams);
    case CommandKind::Invalid:
        streams.err(command.error + "\r\n\r\n" + usageText());
        return kExitBadArguments;
    case CommandKind::Open:
        if (platform::pathExists(path)) return 0;
        streams.err("Arquivo ou pasta não encontrado: " + path + "\r\n\r\n" + usageText());
        return kExitUnreadable;
    case CommandKind::Window:
        break;
    }
    return 0;
}

} // namespace

int runCommand(const Command& command, Services& services, platform::TextStreams& streams,
               unsigned long childTimeLimitMs) {
    int code = dispatch(command, services, childTimeLimitMs, streams);
    if (unsigned long error = streams.outWriteError()) {
        // A script must never take lost output for an answer.
        streams.err("Não foi possível escrever a saída (erro " + std::to_string(error) + " do Windows).\r\n");
        return kExitWriteFailed;
    }
    return code;
}

} // namespace brontal
