#include "app/command_args.h"

#include <cctype>

namespace brontal {
namespace {

// "/VERIFICAR" and "-verificar" are "verificar"; a non-switch is "".
std::string switchName(const std::string& arg) {
    if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-')) return "";
    std::string name = arg.substr(1);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

Command invalid(std::string why) {
    Command c;
    c.kind = CommandKind::Invalid;
    c.error = std::move(why);
    return c;
}

} // namespace

Command parseCommand(const std::vector<std::string>& args) {
    Command c;
    if (args.empty()) return c;
    const std::string first = switchName(args[0]);
    if (first == "?" || first == "h" || first == "ajuda") {
        if (args.size() > 1) return invalid("\"" + args[0] + "\" não aceita outros argumentos.");
        c.kind = CommandKind::Usage;
        return c;
    }
    if (first == "verificar") c.kind = CommandKind::Verify;
    else if (first == "registrar") c.kind = CommandKind::Register;
    else if (first == "desregistrar") c.kind = CommandKind::Unregister;
    else return invalid("Argumento desconhecido: \"" + args[0] + "\".");

    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (c.kind == CommandKind::Verify && switchName(arg) == "json" && !c.json) {
            c.json = true;
        } else if (c.path.empty() && !arg.empty()) {
            c.path = arg;
        } else {
            return invalid("Argumento a mais: \"" + arg + "\".");
        }
    }
    if (c.path.empty()) return invalid("Falta o arquivo depois de \"" + args[0] + "\".");
    return c;
}

std::string usageText() {
    return "Brontal32: registra, desregistra e verifica componentes COM (.dll e .ocx).\r\n"
           "\r\n"
           "Uso:\r\n"
           "  Brontal32.exe                          abre a janela\r\n"
           "  Brontal32.exe /verificar ARQUIVO [/json]\r\n"
           "      tamanho, data, bits, registro (CLSID), teste de carga, cópias nas pastas\r\n"
           "      comuns e Windows; com /json, um objeto JSON\r\n"
           "  Brontal32.exe /registrar ARQUIVO       registra com o regsvr32 da largura do arquivo\r\n"
           "  Brontal32.exe /desregistrar ARQUIVO    desregistra do mesmo modo\r\n"
           "  Brontal32.exe /?                       esta ajuda\r\n"
           "\r\n"
           "Códigos de saída:\r\n"
           "  /verificar      0 registrado e carregado, 1 não, 2 argumentos ou arquivo ilegível\r\n"
           "  /registrar,\r\n"
           "  /desregistrar   o código do regsvr32; 2 argumentos ou arquivo ilegível,\r\n"
           "                  5 sem direitos de administrador\r\n";
}

} // namespace brontal
