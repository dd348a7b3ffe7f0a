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

// One file's answer: its report in both forms and its exit code, or, when
// it could not be verified, why (error) with the program's own code.
struct FileAnswer {
    std::string plain, json, error;
    int code = 0;
};

FileAnswer answerFor(const std::string& path, unsigned long limitMs, const std::vector<std::string>* hits,
                     std::string& warning) {
    VerifyProblem problem;
    std::optional<Verification> v = verifyFile(path, problem, warning, limitMs, hits);
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

// Several files and folders: every input is checked before anything is
// verified, so that a mistyped name costs nothing; each file is then verified
// once, the common folders walked once for all of them, and reported in
// every place it was given. A file that cannot be verified gets its error in
// its place and the others go on.
int verifySet(const Command& command, unsigned long limitMs, platform::TextStreams& streams) {
    std::vector<std::string> files;
    const ListEntries list = folders::folderListing();
    for (const std::string& given : command.paths) {
        const std::string path = platform::fullPath(given);
        if (platform::folderExists(path)) {
            std::vector<std::string> found = folderComponents(list, path, command.recursive);
            if (found.empty())
                return refuse(streams, std::string("Nenhum arquivo dll ou ocx na pasta") +
                                           (command.recursive ? " nem nas subpastas" : "") + ": " + path,
                              kExitNoComponents);
            files.insert(files.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
        } else if (!platform::fileExists(path)) {
            return refuse(streams, "Não foi possível ler o arquivo: " + path, kExitUnreadable);
        } else if (!hasComponentExtension(path)) {
            return refuse(streams, "Apenas arquivos dll e ocx podem ser verificados: " + path, kExitNotComponent);
        } else {
            files.push_back(path);
        }
    }
    const std::vector<std::size_t> first = firstOfEach(files);
    std::vector<std::string> names;
    std::vector<std::size_t> nameOf(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (first[i] != i) continue;
        nameOf[i] = names.size();
        names.emplace_back(fileNameOf(files[i]));
    }
    const std::vector<std::vector<std::string>> hits = commonFolderHits(names);

    Progress progress(streams);
    std::vector<FileAnswer> answers(files.size());
    int ownCode = 0;
    bool anyFails = false;
    if (command.json) streams.out("[\n");
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (first[i] == i) {
            progress.show(nameOf[i] + 1, names.size(), names[nameOf[i]]);
            std::string warning;
            answers[i] = answerFor(files[i], limitMs, &hits[nameOf[i]], warning);
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
        // One file and no folder: the single object scripts already read.
        if (command.paths.size() == 1 && !platform::folderExists(path)) return verify(path, command.json, limitMs, streams);
        return verifySet(command, limitMs, streams);
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
