#include "app/file_verification.h"

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

std::optional<Verification> verifyFile(const std::string& fullPath, std::string& problem, std::string& warning) {
    std::optional<folders::FileFactsTexts> facts = folders::readFileFacts(fullPath);
    std::optional<PeVerdict> verdict = facts ? platform::probeFile(fullPath) : std::nullopt;
    if (!facts || !verdict) {
        problem = "Não foi possível ler o arquivo: " + fullPath;
        return std::nullopt;
    }
    if (verdict->kind == PeKind::OtherMachine) warning = unknownArchitectureMessage(verdict->machine);

    Verification v;
    v.fileName = std::string(fileNameOf(fullPath));
    v.path = fullPath;
    v.date = facts->date;
    v.size = facts->size;
    v.is64 = verdict->is64();
    v.windows64 = platform::windowsIs64();

    v.registered32 = verify::clsidRegistryNames(platform::systemProgram("reg.exe"), v.fileName);
    if (v.windows64) v.registered64 = verify::clsidRegistryNames("C:\\Windows\\Sysnative\\reg.exe", v.fileName);
    v.registrations = verify::registrationsOf(fullPath, v.windows64);
    v.version = platform::fileVersion(fullPath);

    verify::LoadAnswer load = verify::testLoad(fullPath);
    v.loads = load.loads;
    v.loadFailure = load.reason;

    std::vector<std::string> hits =
        folders::collectHits(slotsFrom(v.windows64 ? fourSlotTexts() : twoSlotTexts()), v.fileName);
    for (const std::string& folder : foldersFromHits(hits, v.fileName))
        v.copies.push_back(verify::copyFacts(folder, v.fileName, v.windows64));

    v.systemLine = "Sistema operacional " + windowsVersionText(platform::kernelVersion()) + " / " +
                   (v.windows64 ? "64 bits" : "32 bits");
    return v;
}

} // namespace brontal
