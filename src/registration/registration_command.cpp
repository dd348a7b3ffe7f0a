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

std::string exitCodeReason(unsigned long exitCode) {
    static const char* const kReasons[] = {
        "os argumentos da linha de comando são inválidos.",
        "não foi possível inicializar o OLE.",
        "o arquivo ou uma biblioteca de que ele depende não pôde ser carregado.",
        "o ponto de entrada DllRegisterServer ou DllUnregisterServer não foi encontrado: "
        "o arquivo não é um componente autorregistrável.",
        "o componente foi carregado, mas a sua própria rotina de (des)registro falhou.",
    };
    if (exitCode == 0) return "";
    std::string text = "regsvr32 terminou com o código " + std::to_string(exitCode);
    if (exitCode <= std::size(kReasons)) return text + ": " + kReasons[exitCode - 1];
    return text + ".";
}

} // namespace brontal
