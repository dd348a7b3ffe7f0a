#pragma once
// Why a component did not load into this process, as far as its file and the
// system tell: the load indicator's second line.
#include <string>

namespace brontal::platform {

// "Biblioteca ausente: NAME" for a library the component imports that its
// loader finds nowhere (named as its import table writes it), "Imagem de 64
// bits: ..." for a 64-bit image; "" when no reason is found. Reads the file
// and looks in the folders the loader of the component's width searches.
std::string loadFailureReason(const std::string& componentPath);

} // namespace brontal::platform
