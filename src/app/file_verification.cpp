#include "app/file_verification.h"

#include <vector>

#include "core/server_path.h"
#include "folders/comparison_panel.h"
#include "folders/tree_search.h"
#include "panel/folder_slots.h"
#include "platform/file_identity.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/windows_version.h"
#include "report/os_naming.h"
#include "verify/component_facts.h"

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

} // namespace

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

    HitCollector walk;
    for (const FolderSlot& slot : slotsFrom(v.windows64 ? fourSlotTexts() : twoSlotTexts()))
        searchFolderTree(walk, slot.folder, v.fileName);
    for (const std::string& folder : foldersFromHits(walk.hits, v.fileName))
        v.copies.push_back(verify::copyFacts(folder, v.fileName, v.windows64));

    v.systemLine = "Sistema operacional " + windowsVersionText(platform::kernelVersion()) + " / " +
                   (v.windows64 ? "64 bits" : "32 bits");
    return v;
}

} // namespace brontal
