#include "verify/component_facts.h"

#include <iterator>

#include "core/server_path.h"
#include "folders/comparison_panel.h"
#include "platform/command_output.h"
#include "platform/component_load.h"
#include "platform/file_identity.h"
#include "platform/files.h"
#include "platform/load_failure.h"
#include "platform/registrations.h"
#include "platform/text.h"
#include "report/orphans.h"
#include "verify/registry_query.h"

namespace brontal::verify {

bool clsidRegistryNames(const std::string& regProgram, const std::string& name) {
    return outputNamesClsid(platform::RunCommandGetOutput(regProgram, regQueryCommandLine(name)));
}

RegistryRun clsidRegistryNames(const std::string& regProgram, const std::string& name, unsigned long limitMs) {
    platform::CapturedOutput run = platform::runCapturingOutput(regProgram, regQueryCommandLine(name), limitMs);
    RegistryRun answer;
    if (run.outcome == platform::CapturedOutput::Ended) answer.found = outputNamesClsid(run.text);
    answer.timedOut = run.outcome == platform::CapturedOutput::TimedOut;
    return answer;
}

std::vector<RegistryRun> clsidRegistryNamesEach(const std::string& regProgram, const std::vector<std::string>& names,
                                                unsigned long limitMs) {
    platform::CapturedOutput run = platform::runCapturingOutput(regProgram, regListingCommandLine(), limitMs);
    RegistryRun failed;
    failed.timedOut = run.outcome == platform::CapturedOutput::TimedOut;
    std::vector<RegistryRun> each(names.size(), failed);
    if (run.outcome != platform::CapturedOutput::Ended) return each;
    // A name the listing's code page cannot hold is left out of it (empty) and asked on its own.
    std::vector<std::string> upperNames;
    for (const std::string& name : names) upperNames.push_back(survivesAnsiCodePage(name) ? upperCase(name) : "");
    const std::vector<bool> found = listingNamesEach(upperCase(run.text), upperNames);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const bool ownSearch = upperNames[i].empty() && !names[i].empty();
        each[i] = ownSearch ? clsidRegistryNames(regProgram, names[i], limitMs) : RegistryRun{found[i], false};
    }
    return each;
}

LoadAnswer testLoad(const std::string& path) {
    LoadAnswer answer;
    if (path.empty()) return answer;
    answer.loads = platform::componentLoads(path);
    if (!answer.loads) answer.reason = platform::loadFailureReason(path);
    return answer;
}

namespace {

// A file's name, and its long one when it was given by its short 8.3 one.
std::vector<std::string> namesOf(const std::string& path) {
    std::vector<std::string> names = {std::string(fileNameOf(path))};
    if (names[0].empty()) return {};
    std::string longName(fileNameOf(platform::longPathName(path)));
    if (longName != names[0]) names.push_back(longName);
    return names;
}

} // namespace

std::vector<std::vector<Registration>> registrationsOfSet(const std::vector<std::string>& paths, bool windows64) {
    std::vector<std::vector<Registration>> each(paths.size());
    std::vector<std::vector<std::string>> names(paths.size());
    std::vector<std::optional<FileIdentity>> identities(paths.size());
    std::vector<std::string> all;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        names[i] = namesOf(paths[i]);
        all.insert(all.end(), names[i].begin(), names[i].end());
        if (!names[i].empty()) identities[i] = platform::fileIdentity(paths[i]);
    }
    if (all.empty()) return each;   // no names would read every registration
    for (int view : {32, 64}) {
        if (view == 64 && !windows64) break;
        platform::RegistryListing listing = platform::readRegistrations(view, all);
        for (const Registration& r : listing.entries) {
            std::optional<RegisteredFile> registered;
            for (std::size_t i = 0; i < paths.size(); ++i) {
                if (names[i].empty() || !platform::registrationNames(r, names[i])) continue;
                if (!registered) registered = platform::registeredFile(r);
                Registration mine = r;
                mine.target = registrationTarget(identities[i], *registered);
                each[i].push_back(std::move(mine));
            }
        }
    }
    return each;
}

std::vector<Registration> registrationsOf(const std::string& path, bool windows64) {
    std::vector<Registration> all;
    std::vector<std::string> names = {std::string(fileNameOf(path))};
    if (names[0].empty()) return all;
    // Selected by its short name, registered by its long one, or the reverse.
    std::string longName(fileNameOf(platform::longPathName(path)));
    if (longName != names[0]) names.push_back(longName);
    const std::optional<FileIdentity> selected = platform::fileIdentity(path);
    for (int view : {32, 64}) {
        if (view == 64 && !windows64) break;
        platform::RegistryListing listing = platform::readRegistrations(view, names);
        for (Registration& r : listing.entries) {
            r.target = registrationTarget(selected, platform::registeredFile(r));
            all.push_back(std::move(r));
        }
    }
    return all;
}

std::optional<std::vector<Registration>> orphanedRegistrations(bool windows64, int& unreadableView) {
    std::vector<Registration> all;
    for (int view : {32, 64}) {
        if (view == 64 && !windows64) break;
        platform::RegistryListing listing = platform::readRegistrations(view, {});
        if (listing.rootUnreadable) {
            unreadableView = view;
            return std::nullopt;
        }
        all.insert(all.end(), std::make_move_iterator(listing.entries.begin()),
                   std::make_move_iterator(listing.entries.end()));
    }
    return orphansOf(std::move(all), platform::registeredOpenPath, platform::fileExists, platform::folderExists);
}

FoundCopy copyFacts(const std::string& listedFolder, const std::string& fileName, bool windows64) {
    FoundCopy copy{listedFolder};
    std::string path = copyReadPath(listedFolder, fileName, windows64);
    if (std::optional<folders::FileFactsTexts> facts = folders::readFileFacts(path)) {
        std::optional<PeVerdict> verdict = platform::probeFile(path);
        copy.readable = true;
        copy.date = facts->date;
        copy.size = facts->size;
        copy.is64 = verdict && verdict->is64();
        copy.peImage = verdict && verdict->kind != PeKind::NotPe;
        copy.version = platform::fileVersion(path);
    }
    return copy;
}

} // namespace brontal::verify
