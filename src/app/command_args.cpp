#include "app/command_args.h"

#include <cctype>

namespace brontal {
namespace {

// "/VERIFICAR" and "-verificar" are "verificar"; a non-switch is "".
std::string switchName(const std::string& arg) {
    if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-')) return "";
    std::string name = arg.substr(1);
    if (name.find_first_of("\\/.:") != std::string::npos) return "";
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

Command invalid(std::string why) {
    Command c;
    c.kind = CommandKind::Invalid;
    c.error = std::move(why);
    return c;
}

std::string quoted(const std::string& arg) { return "\"" + arg + "\""; }

// Windows splits a command line so that a backslash just before a quote
// escapes it: "C:\x\" /json reaches the program as one argument, C:\x" /json.
// No path holds a quote, so such an argument is refused with the rule.
bool holdsQuote(const std::string& arg) { return arg.find('"') != std::string::npos; }

Command quoteRefused(const std::string& arg) {
    return invalid("Aspas dentro do argumento " + quoted(arg) +
                   ": uma \\ logo antes de aspas junta-o ao argumento seguinte. Escreva a pasta sem a \\ final.");
}

} // namespace

Command parseCommand(const std::vector<std::string>& args) {
    Command c;
    if (args.empty()) return c;
    if (holdsQuote(args[0])) return quoteRefused(args[0]);
    const std::string first = switchName(args[0]);
    if (first.empty() && !args[0].empty()) {
        // Dropped on the program, "Abrir com", "Enviar para": one file or folder.
        if (args.size() > 1) return invalid("Argumento a mais: " + quoted(args[1]) + ".");
        c.kind = CommandKind::Open;
        c.path = args[0];
        c.paths = {args[0]};
        return c;
    }
    if (first == "?" || first == "h" || first == "ajuda") {
        if (args.size() > 1) return invalid(quoted(args[0]) + " não aceita outros argumentos.");
        c.kind = CommandKind::Usage;
        return c;
    }
    if (first == "orfaos") {
        c.kind = CommandKind::Orphans;
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (holdsQuote(args[i])) return quoteRefused(args[i]);
            if (switchName(args[i]) != "json" || c.json) return invalid("Argumento a mais: " + quoted(args[i]) + ".");
            c.json = true;
        }
        return c;
    }
    if (first == "verificar") c.kind = CommandKind::Verify;
    else if (first == "registrar") c.kind = CommandKind::Register;
    else if (first == "desregistrar") c.kind = CommandKind::Unregister;
    else return invalid("Argumento desconhecido: " + quoted(args[0]) + ".");

    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::string name = switchName(arg);
        const bool fileGiven = !c.paths.empty();
        if (holdsQuote(arg)) return quoteRefused(arg);
        if (name == "json" && !c.json) {
            c.json = true;
        } else if (name == "s" && !c.recursive) {
            c.recursive = true;
        } else if (name == "continuar" && c.kind != CommandKind::Verify && !c.keepGoing) {
            c.keepGoing = true;
        } else if (!name.empty()) {
            return invalid("Opção fora do lugar: " + quoted(arg) + (fileGiven ? "." : ", onde se espera o arquivo."));
        } else if (arg.empty()) {
            if (!fileGiven) break;   // "" names no file: said below
            return invalid("Argumento vazio depois de " + quoted(args[i - 1]) + ": não nomeia arquivo nem pasta.");
        } else {
            c.paths.push_back(arg);
        }
    }
    if (c.paths.empty()) return invalid("Falta o arquivo depois de " + quoted(args[0]) + ".");
    c.path = c.paths.front();
    return c;
}

std::string usageText() {
    return "Brontal32: registra, desregistra e verifica componentes COM (.dll e .ocx).\r\n"
           "\r\n"
           "Uso:\r\n"
           "  Brontal32.exe                          abre a janela\r\n"
           "  Brontal32.exe ARQUIVO | PASTA          abre a janela com o arquivo escolhido\r\n"
           "                                         (ou na pasta)\r\n"
           "  Brontal32.exe /verificar ARQUIVO [/json]\r\n"
           "      tamanho, data, bits, registro (CLSID), teste de carga, cópias nas pastas\r\n"
           "      comuns e Windows; com /json, um objeto JSON\r\n"
           "  Brontal32.exe /verificar ARQUIVO|PASTA ... [/s] [/json]\r\n"
           "      vários arquivos e pastas (de uma pasta, os dll e ocx por nome; com /s,\r\n"
           "      também os das subpastas): um relatório por arquivo, separados por uma\r\n"
           "      linha em branco; com /json, uma lista de objetos na mesma ordem\r\n"
           "  Brontal32.exe /registrar ARQUIVO       registra com o regsvr32 da largura do arquivo\r\n"
           "  Brontal32.exe /desregistrar ARQUIVO    desregistra do mesmo modo\r\n"
           "  Brontal32.exe /registrar ARQUIVO|PASTA ... [/s] [/continuar] [/json]\r\n"
           "      vários (também com /desregistrar), na ordem dada: para na primeira\r\n"
           "      falha e sai com o código dela (com /continuar, segue); com /json, um\r\n"
           "      objeto por arquivo\r\n"
           "  Brontal32.exe /orfaos [/json]          registros cujo arquivo não existe\r\n"
           "      (classes e bibliotecas de tipos, nas duas visões), por caminho; só lê,\r\n"
           "      nada apaga\r\n"
           "  Brontal32.exe /?                       esta ajuda\r\n"
           "\r\n"
           "Um caminho com espaços vai entre aspas, sem \\ antes da aspa final: no Windows\r\n"
           "\"C:\\x\\\" /json é um só argumento (C:\\x\" /json); escreva \"C:\\x\" /json.\r\n"
           "Programas chamados (regsvr32, reg) têm 60 s para terminar.\r\n"
           "\r\n"
           "Códigos de saída:\r\n"
           "  0, 1   /verificar: registrado e carregado (0), ou não (1); de vários, 0 só\r\n"
           "         quando todos passam; /orfaos: nenhum (0), algum (1)\r\n"
           "  0 a 5  /registrar, /desregistrar: o código do próprio regsvr32 (de vários,\r\n"
           "         o da primeira falha)\r\n"
           "  10     argumentos inválidos\r\n"
           "  11     arquivo ou pasta ilegível ou inexistente\r\n"
           "  12     não é um arquivo dll ou ocx\r\n"
           "  13     sem direitos de administrador\r\n"
           "  14     o regsvr32 ou o reg não pôde ser iniciado\r\n"
           "  15     o código de saída do regsvr32 não pôde ser lido\r\n"
           "  16     a saída não pôde ser escrita\r\n"
           "  17     o regsvr32 ou o reg não terminou em 60 s\r\n"
           "  18     uma pasta sem arquivos dll ou ocx\r\n"
           "  19     /orfaos: o Registro não pôde ser lido\r\n";
}

bool argumentsFollowProgramName(std::string_view line) {
    size_t at = 0;
    if (!line.empty() && line.front() == '"') {
        size_t close = line.find('"', 1);
        if (close == std::string_view::npos) return false;   // the name runs to the end
        at = close + 1;
    } else {
        at = line.find_first_of(" \t");
        if (at == std::string_view::npos) return false;
    }
    return line.find_first_not_of(" \t", at) != std::string_view::npos;
}

} // namespace brontal
