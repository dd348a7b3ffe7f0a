// The window started on a file or folder (dropped on the program, "Abrir com",
// "Enviar para", a shortcut with an argument): the browser opens its folder
// and the file is chosen as a click on it chooses it.
#include "app/main_window.h"

#include <windows.h>

#include "core/paths.h"
#include "platform/files.h"
#include "platform/text.h"

namespace brontal {
namespace {

bool sameFolder(const std::string& a, const std::string& b) {
    std::wstring x = widen(withTrailingBackslash(a)), y = widen(withTrailingBackslash(b));
    return CompareStringOrdinal(x.c_str(), -1, y.c_str(), -1, TRUE) == CSTR_EQUAL;
}

} // namespace

void MainWindow::openPath(const std::string& path) {
    const bool folder = platform::folderExists(path);
    std::size_t slash = path.find_last_of('\\');
    const std::string dir = folder || slash == std::string::npos ? path : path.substr(0, slash + 1);
    const std::string name = folder || slash == std::string::npos ? "" : path.substr(slash + 1);

    if (dir.size() >= 2 && dir[1] == ':') setDrive(dir.substr(0, 2) + "\\");
    setDirListPath(dir);
    if (!sameFolder(dirListPath(), dir)) {
        // A path the browser cannot show (a network path, a folder it may not list).
        services().beep();
        ShowErrorMessage("Não foi possível abrir a pasta pedida.");
        return;
    }
    if (name.empty()) return;

    // System32 on 64-bit Windows is listed through Sysnative, in List1.
    ui::Control& list = lblSysnative.text() == "1" ? List1 : FileList;
    std::wstring wanted = widen(name);
    LRESULT index = SendMessageW(list.hwnd(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(wanted.c_str()));
    if (index == LB_ERR) {
        // Hidden and system files are not in the list, as in the classic one.
        services().beep();
        ShowErrorMessage("O arquivo não está na lista de arquivos.");
        return;
    }
    list.setSelectedIndex(static_cast<int>(index));
    list.setFocus();
    if (list.onClick) list.onClick();
}

} // namespace brontal
