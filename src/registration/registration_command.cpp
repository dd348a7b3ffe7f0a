#include "registration/registration_command.h"

#include <cctype>
#include <cstdlib>
#include <iterator>

namespace brontal {

RegMode modeFromText(std::string_view lblIntReg) {
    return std::atoi(std::string(lblIntReg).c_str()) == 1 ? RegMode::Register : RegMode::Unregister;
}

bool hasComponentExtension(std::string_view name) {
    if (name.size() < 4) return false;
    std::string ext(name.substr(name.size() - 4));
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".dll" || ext == ".ocx";
}

std::string regsvr32Program(std::string_view bitnessText, bool windowsIs64) {
    if (!windowsIs64) return "C:\\Windows\\System32\\regsvr32.exe";
    return bitnessText == "32" ? "C:\\Windows\\SysWow64\\regsvr32.exe" : "C:\\Windows\\Sysnative\\regsvr32.exe";
}

std::string regsvr32Arguments(RegMode mode, std::string_view fullPath) {
    std::string arguments = mode == RegMode::Register ? "  /s " : "  /u /s ";
    arguments += '"';
    arguments += fullPath;
    arguments += '"';
    return arguments;
}

std::string outcomeText(RegMode mode, bool ok) {
    if (ok) return mode == RegMode::Register ? "Componente registrado com sucesso." : "Componente desregistrado com sucesso.";
    return mode == RegMode::Register ? "Erro ao tentar registrar componente." : "Erro ao tentar desregistrar componente.";
}

// Short enough for the message line, whose width the window fixes; the load
// indicator's tip says which library, when one is missing.
std::string exitCodeReason(unsigned long exitCode) {
    static const char* const kReasons[] = {
        "argumentos inválidos.",
        "o OLE não iniciou.",
        "o arquivo não carregou.",
        "não é autorregistrável.",
        "o componente retornou erro.",
    };
    if (exitCode == 0) return "";
    if (exitCode <= std::size(kReasons))
        return "regsvr32 (código " + std::to_string(exitCode) + "): " + kReasons[exitCode - 1];
    return "regsvr32 terminou com o código " + std::to_string(exitCode) + ".";
}

} // namespace brontal
