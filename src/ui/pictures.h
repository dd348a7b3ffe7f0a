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
unique_hicon makePictureIcon(std::string_view id, int width, int height, bool greyed = false);
// A picture button's faces side by side for an image list, size x size each,
// count of them, the one at greyedAt greyed: drawn once, added to the list in
// one call (adding the faces one icon at a time is most of a start-up's
// picture time under Wine).
unique_hbitmap makePictureStrip(std::string_view id, int size, int count, int greyedAt);

} // namespace brontal::ui
