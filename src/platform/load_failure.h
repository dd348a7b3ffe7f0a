#pragma once
// Why a component did not load into this process, as far as its file and the
// system tell: the load indicator's second line.
#include <string>

namespace brontal::platform {

// "Biblioteca ausente: NAME" for a library the component imports that its
// load finds nowhere (named as its import table writes it, decoded as the
// loader decodes it), "Biblioteca fora das pastas pesquisadas: NAME" for one
// only beside this program or on the PATH, "Imagem de 64 bits: ..." first
// for a 64-bit image; "" when no reason is found. Reads the file and its
// manifest, and looks where the load of the component's width looks.
std::string loadFailureReason(const std::string& componentPath);

} // namespace brontal::platform
