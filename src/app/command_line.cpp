#include "app/command_line.h"

#include "app/file_verification.h"
#include "core/pe_probe.h"
#include "platform/files.h"
#include "registration/registration_command.h"
#include "registration/registration_runner.h"

namespace brontal {
namespace {

constexpr char kNotAdmin[] =
    "É preciso executar o Brontal32 como administrador para registrar ou desregistrar componentes.";

int verify(const std::string& path, bool json, platform::TextStreams& streams) {
    std::string problem, warning;
    std::optional<Verification> v = verifyFile(path, problem, warning);
    if (!v) {
        streams.err(problem + "\r\n");
        return kExitUsage;
    }
    if (!warning.empty()) streams.err(warning + "\r\n");
    if (json) {
        streams.out(verificationJson(*v));
    } else {
        // The report window's copy-all text, byte for byte; a console gets a
        // line break after it so that its prompt starts on a line of its own.
        streams.out(reportText(reportFieldsOf(*v)));
        if (streams.outIsConsole()) streams.out("\r\n");
    }
    return verificationExitCode(*v);
}

// The buttons' program choice, arguments and elevation rule; only an
// elevated run gets this far, so it goes through the shell's "runas" verb as
// theirs does.
int registerFile(RegMode mode, const std::string& path, Services& services, platform::TextStreams& streams) {
    std::optional<PeVerdict> verdict = platform::probeFile(path);
    if (!verdict || platform::folderExists(path)) {
        streams.err("Não foi possível ler o arquivo: " + path + "\r\n");
        return kExitUsage;
    }
    if (!hasComponentExtension(path)) {
        streams.err("Somente arquivos dll e ocx podem ser (des)registrados.\r\n");
        return kExitUsage;
    }
    if (!services.isElevated()) {
        streams.err(std::string(kNotAdmin) + "\r\n");
        return kExitNotAdmin;
    }
    const std::string program = regsvr32Program(bitnessText(verdict->is64()), platform::windowsIs64());
    platform::HiddenRun run = registration::hiddenRun(program, regsvr32Arguments(mode, path), true);
    platform::ProcessExit exit = services.runHidden(run);
    if (!exit.started) {
        streams.err("Erro ao tentar executar como administrador: " + run.file + "\r\n");
        return kExitUsage;
    }
    bool ok = exit.succeeded();
    std::string text = outcomeText(mode, ok) + "\r\n";
    if (!ok && exit.exitCodeRead) text += exitCodeReason(exit.exitCode) + "\r\n";
    streams.out(text);
    if (!exit.exitCodeRead) return 1;
    return static_cast<int>(exit.exitCode);
}

} // namespace

int runCommand(const Command& command, Services& services, platform::TextStreams& streams) {
    std::string path = command.path.empty() ? "" : platform::fullPath(command.path);
    switch (command.kind) {
    case CommandKind::Usage:
        streams.out(usageText());
        return 0;
    case CommandKind::Verify:
        return verify(path, command.json, streams);
    case CommandKind::Register:
        return registerFile(RegMode::Register, path, services, streams);
    case CommandKind::Unregister:
        return registerFile(RegMode::Unregister, path, services, streams);
    case CommandKind::Invalid:
        streams.err(command.error + "\r\n\r\n" + usageText());
        return kExitUsage;
    case CommandKind::Window:
        break;
    }
    return 0;
}

} // namespace brontal
