#pragma once
// The three read-me documents that ship in a "ReadMe" folder beside the
// program, in the order of the Help window's buttons.
#include <array>
#include <string>
#include <string_view>

namespace brontal::windows {

struct ReadMeDocument {
    std::string_view button;    // the Help window's button that opens it
    std::string_view heading;   // the caption beside that button
    std::string_view fileName;  // inside the ReadMe folder
};

inline constexpr std::array<ReadMeDocument, 3> kReadMeDocuments{{
    {"btn1", "ReadMe Informações e Considerações", "ReadMe_Informacoes-e-consideracoes.pdf"},
    {"btn2", "ReadMe Licença de Utilização", "ReadMe_Licenca-de-utilizacao.pdf"},
    {"btn3", "ReadMe Características e Versão", "ReadMe_Caracteristicas-da-versao.pdf"},
}};

// programFolder + "\ReadMe\" + fileName. A program in a drive's root has a
// folder that already ends in a backslash; it is not doubled.
std::string readMePath(std::string_view programFolder, std::string_view fileName);

} // namespace brontal::windows
