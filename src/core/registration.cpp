#include "core/registration.h"

#include <algorithm>

namespace brontal {
namespace {

std::string sentence(const Registration& r) {
    switch (r.target) {
    case RegistrationTarget::This: return "Registrado para esta cópia.";
    case RegistrationTarget::Other: return "Registrado para outra cópia: " + r.file;
    case RegistrationTarget::Missing: return "O Registro aponta para um arquivo ausente: " + r.file;
    }
    return "";
}

} // namespace

RegistrationTarget registrationTarget(const std::optional<FileIdentity>& selected, const RegisteredFile& registered) {
    if (!registered.exists) return RegistrationTarget::Missing;
    if (selected && registered.identity && *selected == *registered.identity) return RegistrationTarget::This;
    return RegistrationTarget::Other;
}

const char* targetName(RegistrationTarget target) {
    switch (target) {
    case RegistrationTarget::This: return "this";
    case RegistrationTarget::Other: return "other";
    case RegistrationTarget::Missing: return "missing";
    }
    return "";
}

bool anyRegistrationOfThisCopy(const std::vector<Registration>& registrations) {
    return std::any_of(registrations.begin(), registrations.end(),
                       [](const Registration& r) { return r.target == RegistrationTarget::This; });
}

std::string registrationsTip(const std::vector<Registration>& registrations) {
    if (registrations.empty()) return "Nenhuma classe registrada para este nome de arquivo.";
    if (registrations.size() == 1) return sentence(registrations.front());
    std::string count = std::to_string(registrations.size()) + " registros. ";
    auto notThis = std::find_if(registrations.begin(), registrations.end(),
                                [](const Registration& r) { return r.target != RegistrationTarget::This; });
    return count + (notThis == registrations.end() ? sentence(registrations.front()) : sentence(*notThis));
}

} // namespace brontal
