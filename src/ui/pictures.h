#pragma once
// The program's small pictures (button faces, folder and load-indicator icons,
// the program icon), drawn with GDI so every size stays crisp. A picture is
// named by a short id such as "folder" or "charge-loaded".
#include <windows.h>
#include <string_view>

#include "platform/unique_handle.h"

namespace brontal::ui {

// The icon resource of the executable (resources.rc), in every usual size.
inline constexpr int kProgramIconId = 1;

bool isKnownPicture(std::string_view id);
// An icon with a real alpha mask, width x height pixels; greyed, the face a
// disabled button shows.
unique_hicon makePictureIcon(std::string_view id, int width, int height, bool greyed = false,
                             unique_hicon* greyedToo = nullptr);   // also the greyed face, from the same drawing

} // namespace brontal::ui
