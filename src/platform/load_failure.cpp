#include "platform/load_failure.h"
#include "platform/files.h"
namespace brontal::platform {
std::string loadFailureReason(const std::string& componentPath) {
    auto v = probeFile(componentPath);
    return v && v->is64() ? "Imagem de 64 bits: não pode ser carregada por um processo de 32 bits" : "";
}
}
