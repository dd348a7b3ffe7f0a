#include "app/file_verification.h"

#include <vector>

#include "folders/comparison_panel.h"
#include "folders/tree_search.h"
#include "panel/folder_slots.h"
#include "platform/command_output.h"
#include "platform/component_load.h"
#include "platform/files.h"
#include "platform/load_failure.h"
#include "platform/process.h"
#include "platform/windows_version.h"
#include "report/os_naming.h"
#include "verify/registry_query.h"

namespace brontal {
namespace {

// The window's walk of the common folders, with nobody to show its progress
// to and nobody to stop it.
class HitCollector final : public TreeSearchHost {
public:
    bool enumerate(const std::string& folder, const std::function<void(const FolderEntry&)>& visit) override {
        return platform::listFolder(folder, [&](const platform::FolderItem& item) {
            visit(FolderEntry{item.name, item.isFolder, item.reparsePoint});
        });
    }
    void showCount(int) override {}
    void addHit(const std::string& fullPath) override { hits.push_back(fullPath); }
    void processEvents() override {}
    bool stopRequested() override { return false; }

    std::vector<std::string> hits;
};

// Whether reg finds the name; nothing when it did not run to its end.
std::optional<bool> registryNames(const std::string& regProgram, const std::string& name, unsigned long limitMs,
                                  VerifyProblem& problem) {
    platform::CapturedOutput run = platform::runCapturingOutput(regProgram, regQueryCommandLine(name), limitMs);
    if (run.outcome == platform::CapturedOutput::Ended) return outputNamesClsid(run.text);
    problem = {run.outcome == platform::CapturedOutput::TimedOut ? VerifyProblem::ChildTimedOut
                                                                  : VerifyProblem::ChildNotStarted,
               regProgram};
    return std::nullopt;
}

std::string fileNameOf(const std::string& path) {
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::optional<Verification> verifyFile(const std::string& fullPath, VerifyProblem& problem, std::string& warning,
                                       unsigned long childLimitMs) {
    std::optional<folders::FileFactsTexts> facts = folders::readFileFacts(fullPath);
    std::optional<PeVerdict> verdict = facts ? platform::probeFile(fullPath) : std::nullopt;
    if (!facts || !verdict) {
        problem = {VerifyProblem::Unreadable, "Não foi possível ler o arquivo: " + fullPath};
        return std::nullopt;
    }
    if (verdict->kind == PeKind::OtherMachine) warning = unknownArchitectureMessage(verdict->machine);

    Verification v;
    v.fileName = fileNameOf(fullPath);
    v.path = fullPath;
    v.date = facts->date;
    v.size = facts->size;
    v.is64 = verdict->is64();
    v.peImage = verdict->kind != PeKind::NotPe;
    v.windows64 = platform::windowsIs64();

    std::optional<bool> found32 = registryNames(platform::systemProgram("reg.exe"), v.fileName, childLimitMs, problem);
    if (!found32) return std::nullopt;
    v.registered32 = *found32;
    if (v.windows64) {
        v.registered64 = registryNames("C:\\Windows\\Sysnative\\reg.exe", v.fileName, childLimitMs, problem);
        if (!v.registered64) return std::nullopt;
    }

    v.loads = platform::componentLoads(fullPath);
    if (!v.loads) v.loadFailure = platform::loadFailureReason(fullPath);

    HitCollector walk;
    for (const FolderSlot& slot : slotsFrom(v.windows64 ? fourSlotTexts() : twoSlotTexts()))
        searchFolderTree(walk, slot.folder, v.fileName);
    for (const std::string& folder : foldersFromHits(walk.hits, v.fileName)) {
        FoundCopy copy{folder};
        std::string path = copyReadPath(folder, v.fileName, v.windows64);
        std::optional<folders::FileFactsTexts> copyFacts = folders::readFileFacts(path);
        if (copyFacts) {
            std::optional<PeVerdict> copyVerdict = platform::probeFile(path);
            copy.readable = true;
            copy.date = copyFacts->date;
            copy.size = copyFacts->size;
            copy.is64 = copyVerdict && copyVerdict->is64();
            copy.peImage = copyVerdict && copyVerdict->kind != PeKind::NotPe;
        }
        v.copies.push_back(std::move(copy));
    }

    v.systemLine = "Sistema operacional " + windowsVersionText(platform::kernelVersion()) + " / " +
                   (v.windows64 ? "64 bits" : "32 bits");
    return v;
}

} // namespace brontal
