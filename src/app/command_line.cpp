#include "app/command_line.h"

#include <windows.h>

#include <iterator>
#include <vector>

#include "app/component_list.h"
#include "app/file_verification.h"
#include "core/server_path.h"
#include "core/pe_probe.h"
#include "folders/folder_search.h"
#include "platform/files.h"
#include "registration/registration_command.h"
#include "report/orphans.h"
#include "registration/registration_runner.h"
#include "verify/component_facts.h"

namespace brontal {
namespace {

constexpr char kNotAdmin[] =
    "É preciso executar o Brontal32 como administrador para registrar ou desregistrar componentes.";

int refuse(platform::TextStreams& streams, const std::string& why, int code) {
    streams.err(why + "\r\n");
    return code;
}

std::string seconds(unsigned long ms) { return std::to_string((ms + 999) / 1000) + " s"; }

// One file's answer: its report in both forms and its exit code, or, when
// it could not be verified, why (error) with the program's own code.
struct FileAnswer {
    std::string plain, json, error;
    int code = 0;
};

FileAnswer answerFor(const std::string& path, unsigned long limitMs, const SharedFacts* shared, std::string& warning) {
    VerifyProblem problem;
    std::optional<Verification> v = verifyFile(path, problem, warning, limitMs, shared);
    FileAnswer a;
    if (v) {
        // The report window's copy-all text, byte for byte; at a console the
        // streams end it with a line break.
        a.plain = reportText(reportFieldsOf(*v));
        a.json = verificationJson(*v);
        a.code = verificationExitCode(*v);
        return a;
    }
    switch (problem.why) {
    case VerifyProblem::ChildTimedOut:
        return {"", "", problem.text + " não terminou em " + seconds(limitMs) + ".", kExitTimedOut};
    case VerifyProblem::ChildNotStarted:
        return {"", "", "Não foi possível executar " + problem.text + ".", kExitNotStarted};
    case VerifyProblem::Unreadable:
        break;
    }
    return {"", "", problem.text, kExitUnreadable};
}

int verify(const std::string& path, bool json, unsigned long limitMs, platform::TextStreams& streams) {
    // The verify button's refusal, in its words.
    if (platform::fileExists(path) && !hasComponentExtension(path))
        return refuse(streams, "Apenas arquivos dll e ocx podem ser verificados.", kExitNotComponent);
    std::string warning;
    FileAnswer a = answerFor(path, limitMs, nullptr, warning);
    if (!a.error.empty()) return refuse(streams, a.error, a.code);
    if (!warning.empty()) streams.err(warning + "\r\n");
    streams.out(json ? a.json : a.plain);
    return a.code;
}

// The count of a set's run on standard error at a console, one line written
// over; nothing on a pipe or a file, where it would only be noise in a log.
class Progress {
public:
    explicit Progress(platform::TextStreams& streams) : streams_(streams), shown_(streams.errIsConsole()) {}
    void show(std::size_t done, std::size_t total, std::string_view name) {
        if (!shown_) return;
        clear();
        // Within a console's line, so that the carriage return goes back to its start.
        std::string text = std::to_string(done) + "/" + std::to_string(total) + " ";
        std::size_t cut = name.size();
        while (text.size() + cut > 70 && cut > 0) {
            --cut;
            while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        }
        text.append(name.substr(0, cut));
        if (cut < name.size()) text += "...";
        streams_.err(text);
        width_ = text.size();
    }
    void clear() {
        if (width_ == 0) return;
        std::string blank(width_ + 2, ' ');
        blank.front() = blank.back() = '\r';
        streams_.err(blank);
        width_ = 0;
    }

private:
    platform::TextStreams& streams_;
    bool shown_;
    std::size_t width_ = 0;
};

std::string failureJson(const std::string& path, const FileAnswer& a) {
    return "{\"file\": " + jsonString(fileNameOf(path)) + ", \"path\": " + jsonString(path) +
           ", \"error\": " + jsonString(a.error) + ", \"exitCode\": " + std::to_string(a.code) + "}";
}

std::string withoutLineEnd(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

// The files a set of inputs stands for, every input checked before anything
// is done; nothing (and the refusal said) when one of them cannot be taken.
std::optional<std::vector<std::string>> setFiles(const Command& command, bool toVerify, platform::TextStreams& streams,
                                                 int& code) {
    std::vector<std::string> files;
    const ListEntries list = folders::folderListing();
    for (const std::string& given : command.paths) {
        const std::string path = platform::fullPath(given);
        if (platform::folderExists(path)) {
            std::vector<std::string> found = folderComponents(list, path, command.recursive);
            if (found.empty()) {
                code = refuse(streams, std::string("Nenhum arquivo dll ou ocx na pasta") +
                                           (command.recursive ? " nem nas subpastas" : "") + ": " + path,
                              kExitNoComponents);
                return std::nullopt;
            }
            files.insert(files.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
        } else if (!platform::fileExists(path)) {
            code = refuse(streams, "Não foi possível ler o arquivo: " + path, kExitUnreadable);
            return std::nullopt;
        } else if (!hasComponentExtension(path)) {
            code = refuse(streams, (toVerify ? "Apenas arquivos dll e ocx podem ser verificados: "
                                             : "Somente arquivos dll e ocx podem ser (des)registrados: ") + path,
                          kExitNotComponent);
            return std::nullopt;
        } else {
            files.push_back(path);
        }
    }
    return files;
}

// Several files and folders: every input is checked before anything is
// verified, so that a mistyped name costs nothing; each file is then verified
// once, the common folders walked once for all of them, and reported in
// every place it was given. A file that cannot be verified gets its error in
// its place and the others go on.
int verifySet(const Command& command, unsigned long limitMs, platform::TextStreams& streams) {
    int refused = 0;
    std::optional<std::vector<std::string>> listed = setFiles(command, true, streams, refused);
    if (!listed) return refused;
    const std::vector<std::string>& files = *listed;
    const std::vector<std::size_t> first = firstOfEach(files);
    std::vector<std::string> unique, names;
    std::vector<std::size_t> nameOf(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (first[i] != i) continue;
        nameOf[i] = unique.size();
        unique.push_back(files[i]);
        names.emplace_back(fileNameOf(files[i]));
    }
    const std::vector<SharedFacts> shared = setFacts(unique, limitMs);

    Progress progress(streams);
    std::vector<FileAnswer> answers(files.size());
    int ownCode = 0;
    bool anyFails = false;
    if (command.json) streams.out("[\n");
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (first[i] == i) {
            progress.show(nameOf[i] + 1, names.size(), names[nameOf[i]]);
            std::string warning;
            answers[i] = answerFor(files[i], limitMs, &shared[nameOf[i]], warning);
            progress.clear();
            if (!warning.empty()) streams.err(files[i] + ": " + warning + "\r\n");
            if (!answers[i].error.empty()) streams.err(answers[i].error + "\r\n");
        }
        const FileAnswer& a = answers[first[i]];
        if (!a.error.empty() && ownCode == 0) ownCode = a.code;
        if (a.code != 0) anyFails = true;
        std::string piece = i == 0 ? "" : command.json ? ",\n" : "\r\n\r\n";
        if (!a.error.empty())
            piece += command.json ? failureJson(files[i], a) : a.error;
        else
            piece += command.json ? withoutLineEnd(a.json) : a.plain;
        streams.out(piece);
    }
    if (command.json) streams.out("\n]\n");
    return ownCode ? ownCode : anyFails ? 1 : 0;
}

// One file's registration: regsvr32's outcome text and reason, or, when it
// did not run to an end that can be read, why (refusal) with the program's
// own code.
struct RegAnswer {
    int code = 0;
    std::string outcome, reason, refusal;
    bool ok() const { return code == 0 && refusal.empty(); }
};

// The buttons' program choice, arguments and elevation rule; only an
// elevated run gets this far, so it goes through the shell's "runas" verb as
// theirs does.
RegAnswer runRegsvr32(RegMode mode, const std::string& path, bool is64, Services& services, unsigned long limitMs) {
    const std::string program = regsvr32Program(bitnessText(is64), platform::windowsIs64());
    platform::HiddenRun run = registration::hiddenRun(program, regsvr32Arguments(mode, path), true);
    run.timeLimitMs = limitMs;
    platform::ProcessExit exit = services.runHidden(run);
    RegAnswer a;
    if (!exit.started) return {kExitNotStarted, "", "", "Erro ao tentar executar como administrador: " + run.file};
    if (exit.timedOut) return {kExitTimedOut, "", "", run.file + " não terminou em " + seconds(limitMs) + "."};
    bool ok = exit.succeeded();
    a.outcome = outcomeText(mode, ok);
    if (!ok && exit.exitCodeRead) a.reason = exitCodeReason(exit.exitCode);
    if (!exit.exitCodeRead) {
        a.code = kExitCodeUnread;
        a.refusal = "Não foi possível ler o código de saída de " + run.file + ".";
    } else {
        a.code = static_cast<int>(exit.exitCode);
    }
    return a;
}

// A file to register that cannot be: not there, or no component. Empty when it can.
std::optional<std::pair<std::string, int>> unregistrable(const std::string& path, std::optional<PeVerdict>& verdict) {
    verdict = platform::probeFile(path);
    if (!verdict || platform::folderExists(path))
        return std::pair{"Não foi possível ler o arquivo: " + path, kExitUnreadable};
    if (!hasComponentExtension(path))
        return std::pair{std::string("Somente arquivos dll e ocx podem ser (des)registrados."), kExitNotComponent};
    return std::nullopt;
}

int registerFile(RegMode mode, const std::string& path, Services& services, unsigned long limitMs,
                 platform::TextStreams& streams) {
    std::optional<PeVerdict> verdict;
    if (auto refused = unregistrable(path, verdict)) return refuse(streams, refused->first, refused->second);
    if (!services.isElevated()) return refuse(streams, kNotAdmin, kExitNotAdmin);
    RegAnswer a = runRegsvr32(mode, path, verdict->is64(), services, limitMs);
    if (!a.outcome.empty()) streams.out(a.outcome + "\r\n" + (a.reason.empty() ? "" : a.reason + "\r\n"));
    if (!a.refusal.empty()) return refuse(streams, a.refusal, a.code);
    return a.code;
}

std::string registrationJson(const std::string& path, const RegAnswer* a, const std::string& notRun) {
    std::string j = "{\"file\": " + jsonString(fileNameOf(path)) + ", \"path\": " + jsonString(path);
    if (!a) return j + ", \"exitCode\": null, \"outcome\": null, \"reason\": " + jsonString(notRun) + "}";
    auto orNull = [](const std::string& t) { return t.empty() ? std::string("null") : jsonString(t); };
    return j + ", \"exitCode\": " + std::to_string(a->code) + ", \"outcome\": " + orNull(a->outcome) +
           ", \"reason\": " + orNull(a->refusal.empty() ? a->reason : a->refusal) + "}";
}

// Several files and folders registered (or unregistered) in the order given.
// By default the run stops at the first failure, so that a set is never left
// half done without saying so: what was done, where it stopped and what was
// not done. With /continuar it goes on. Either way the exit code is the first
// failure's.
int registerSet(RegMode mode, const Command& command, Services& services, unsigned long limitMs,
                platform::TextStreams& streams) {
    int code = 0;
    std::optional<std::vector<std::string>> files = setFiles(command, false, streams, code);
    if (!files) return code;
    if (!services.isElevated()) return refuse(streams, kNotAdmin, kExitNotAdmin);
    const std::string notDone = mode == RegMode::Register ? "Não registrado" : "Não desregistrado";
    Progress progress(streams);
    int firstFailure = 0;
    std::string stoppedAt;
    if (command.json) streams.out("[\n");
    for (std::size_t i = 0; i < files->size(); ++i) {
        const std::string& path = (*files)[i];
        std::string piece = i && command.json ? ",\n" : "";
        if (!stoppedAt.empty()) {
            const std::string why = notDone + ": a execução parou na falha de " + stoppedAt + ".";
            piece += command.json ? registrationJson(path, nullptr, why) : notDone + ": " + path + "\r\n";
            streams.out(piece);
            continue;
        }
        progress.show(i + 1, files->size(), fileNameOf(path));
        std::optional<PeVerdict> verdict;
        RegAnswer a;
        if (auto refused = unregistrable(path, verdict))   // gone since it was listed
            a = {refused->second, "", "", refused->first};
        else
            a = runRegsvr32(mode, path, verdict->is64(), services, limitMs);
        progress.clear();
        if (command.json) {
            piece += registrationJson(path, &a, "");
        } else {
            piece += path + ": " + (a.outcome.empty() ? a.refusal : a.outcome) + "\r\n";
            if (!a.reason.empty()) piece += "  " + a.reason + "\r\n";
            if (!a.outcome.empty() && !a.refusal.empty()) piece += "  " + a.refusal + "\r\n";
        }
        streams.out(piece);
        if (a.ok()) continue;
        if (firstFailure == 0) firstFailure = a.code;
        if (!command.keepGoing && i + 1 < files->size()) {
            stoppedAt = path;
            if (!command.json) streams.out("Parou na primeira falha (/continuar segue adiante):\r\n");
        }
    }
    if (command.json) streams.out("\n]\n");
    return firstFailure;
}

// Every registration of both views whose file is not there. Nothing is
// changed: a missing file may be on a drive not mounted now, or come back
// with the next repair, and a removal is the user's deliberate act in the
// window.
int orphans(bool json, platform::TextStreams& streams) {
    int view = 0;
    std::optional<std::vector<Registration>> found = verify::orphanedRegistrations(platform::windowsIs64(), view);
    if (!found)
        return refuse(streams, "Não foi possível ler o Registro (visão de " + std::to_string(view) + " bits).",
                      kExitRegistryUnread);
    streams.out(json ? orphansJson(*found) : orphansText(*found));
    return found->empty() ? 0 : 1;
}

int dispatch(const Command& command, Services& services, unsigned long limitMs, platform::TextStreams& streams) {
    std::string path = command.path.empty() ? "" : platform::fullPath(command.path);
    switch (command.kind) {
    case CommandKind::Usage:
        streams.out(usageText());
        return 0;
    case CommandKind::Verify:
        // One file and no folder: the single object scripts already read.
        if (command.paths.size() == 1 && !platform::folderExists(path)) return verify(path, command.json, limitMs, streams);
        return verifySet(command, limitMs, streams);
    case CommandKind::Register:
    case CommandKind::Unregister: {
        const RegMode mode = command.kind == CommandKind::Register ? RegMode::Register : RegMode::Unregister;
        // One file and no folder: the lines scripts already read.
        if (command.paths.size() == 1 && !command.json && !platform::folderExists(path))
            return registerFile(mode, path, services, limitMs, streams);
        return registerSet(mode, command, services, limitMs, streams);
    }
    case CommandKind::Orphans:
        return orphans(command.json, streams);
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
