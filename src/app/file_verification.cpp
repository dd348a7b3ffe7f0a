#include "app/file_verification.h"

#include <future>
#include <vector>

#include "core/server_path.h"
#include "folders/comparison_panel.h"
#include "folders/folder_search.h"
#include "panel/folder_slots.h"
#include "platform/file_identity.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/windows_version.h"
#include "report/os_naming.h"
#include "verify/component_facts.h"

namespace brontal {
namespace {

constexpr char kReg64[] = "C:\\Windows\\Sysnative\\reg.exe";

// Whether reg found the name; nothing when it did not run to its end.
std::optional<bool> answerOf(const verify::RegistryRun& run, const std::string& regProgram, VerifyProblem& problem) {
    if (run.found) return run.found;
    problem = {run.timedOut ? VerifyProblem::ChildTimedOut : VerifyProblem::ChildNotStarted, regProgram};
    return std::nullopt;
}

std::vector<FolderSlot> commonSlots(bool windows64) { return slotsFrom(windows64 ? fourSlotTexts() : twoSlotTexts()); }

} // namespace

std::vector<SharedFacts> setFacts(const std::vector<std::string>& fullPaths, unsigned long childLimitMs) {
    const bool windows64 = platform::windowsIs64();
    std::vector<std::string> names;
    for (const std::string& path : fullPaths) names.emplace_back(fileNameOf(path));
    std::vector<std::vector<std::string>> hits = folders::collectHitsOfNames(commonSlots(windows64), names);
    std::vector<std::vector<Registration>> registrations = verify::registrationsOfSet(fullPaths, windows64);
    std::vector<SharedFacts> facts(fullPaths.size());
    for (std::size_t i = 0; i < fullPaths.size(); ++i) {
        facts[i].hits = std::move(hits[i]);
        facts[i].registrations = std::move(registrations[i]);
    }
    // The two views' listings run side by side, each in a reg of its own;
    // the 64-bit answer counts only where the 32-bit one came out, as one
    // file's verification stops at its first failure.
    const std::string reg32 = platform::systemProgram("reg.exe");
    std::future<std::vector<verify::RegistryRun>> listing64;
    if (windows64)
        listing64 = std::async(std::launch::async, [&] { return verify::clsidRegistryNamesEach(kReg64, names, childLimitMs); });
    std::vector<verify::RegistryRun> runs32 = verify::clsidRegistryNamesEach(reg32, names, childLimitMs);
    std::vector<verify::RegistryRun> runs64 = windows64 ? listing64.get() : std::vector<verify::RegistryRun>{};
    for (std::size_t i = 0; i < fullPaths.size(); ++i) {
        VerifyProblem problem;
        facts[i].registered32 = answerOf(runs32[i], reg32, problem);
        if (facts[i].registered32 && windows64) facts[i].registered64 = answerOf(runs64[i], kReg64, problem);
        if (!facts[i].registered32 || (windows64 && !facts[i].registered64)) facts[i].registryProblem = problem;
    }
    return facts;
}

std::optional<Verification> verifyFile(const std::string& fullPath, VerifyProblem& problem, std::string& warning,
                                       unsigned long childLimitMs, const SharedFacts* shared) {
    std::optional<folders::FileFactsTexts> facts = folders::readFileFacts(fullPath);
    std::optional<PeVerdict> verdict = facts ? platform::probeFile(fullPath) : std::nullopt;
    if (!facts || !verdict) {
        problem = {VerifyProblem::Unreadable, "Não foi possível ler o arquivo: " + fullPath};
        return std::nullopt;
    }
    if (verdict->kind == PeKind::OtherMachine) warning = unknownArchitectureMessage(verdict->machine);

    Verification v;
    v.fileName = std::string(fileNameOf(fullPath));
    v.path = fullPath;
    v.date = facts->date;
    v.size = facts->size;
    v.is64 = verdict->is64();
    v.peImage = verdict->kind != PeKind::NotPe;
    v.windows64 = platform::windowsIs64();

    if (shared) {
        if (shared->registryProblem) {
            problem = *shared->registryProblem;
            return std::nullopt;
        }
        v.registered32 = *shared->registered32;
        v.registered64 = shared->registered64;
    } else {
        const std::string reg32 = platform::systemProgram("reg.exe");
        std::optional<bool> found32 = answerOf(verify::clsidRegistryNames(reg32, v.fileName, childLimitMs), reg32, problem);
        if (!found32) return std::nullopt;
        v.registered32 = *found32;
        if (v.windows64) {
            v.registered64 = answerOf(verify::clsidRegistryNames(kReg64, v.fileName, childLimitMs), kReg64, problem);
            if (!v.registered64) return std::nullopt;
        }
    }
    v.registrations = shared ? shared->registrations : verify::registrationsOf(fullPath, v.windows64);
    v.version = platform::fileVersion(fullPath);

    verify::LoadAnswer load = verify::testLoad(fullPath);
    v.loads = load.loads;
    v.loadFailure = load.reason;

    const std::vector<std::string> ownHits =
        shared ? std::vector<std::string>{} : folders::collectHits(commonSlots(v.windows64), v.fileName);
    for (const std::string& folder : foldersFromHits(shared ? shared->hits : ownHits, v.fileName))
        v.copies.push_back(verify::copyFacts(folder, v.fileName, v.windows64));

    v.systemLine = "Sistema operacional " + windowsVersionText(platform::kernelVersion()) + " / " +
                   (v.windows64 ? "64 bits" : "32 bits");
    return v;
}

} // namespace brontal
