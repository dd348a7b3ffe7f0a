#include "windows/readme_documents.h"

namespace brontal::windows {

std::string readMePath(std::string_view programFolder, std::string_view fileName) {
    std::string path(programFolder);
    if (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    path += "\\ReadMe\\";
    path += fileName;
    return path;
}

} // namespace brontal::windows
