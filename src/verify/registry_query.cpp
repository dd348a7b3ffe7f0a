#include "verify/registry_query.h"

namespace brontal {

std::string regQueryCommandLine(std::string_view name) {
    return "reg query HKEY_CLASSES_ROOT\\CLSID /s /f \"" + std::string(name) + "\"";
}

bool outputNamesClsid(std::string_view output) {
    return output.find("HKEY_CLASSES_ROOT\\CLSID") != std::string_view::npos;
}

std::string registryAnswerText(bool found) {
    return found ? "Componente 32 bits localizado no Registro." : "Componente 32 bits não localizado no Registro.";
}

} // namespace brontal
