#include "ui/pictures.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace brontal::ui {
namespace {

// Drawings are made on a 16 x 16 grid and scaled to the requested size.
class Canvas {
public:
    Canvas(HDC dc, int width, int height) : dc_(dc), sx_(width / 16.0), sy_(height / 16.0) {}

    void rect(double l, double t, double r, double b, COLORREF fill, COLORREF line) {
        Select s(dc_, fill, line);
        Rectangle(dc_, x(l), y(t), x(r), y(b));
    }
    void round(double l, double t, double r, double b, double radius, COLORREF fill, COLORREF line) {
        Select s(dc_, fill, line);
        RoundRect(dc_, x(l), y(t), x(r), y(b), x(radius), y(radius));
    }
    void ellipse(double l, double t, double r, double b, COLORREF fill, COLORREF line) {
        Select s(dc_, fill, line);
        Ellipse(dc_, x(l), y(t), x(r), y(b));
    }
    void polygon(std::initializer_list<std::pair<double, double>> pts, COLORREF fill, COLORREF line) {
        std::vector<POINT> p;
        for (auto [px, py] : pts) p.push_back({x(px), y(py)});
        Select s(dc_, fill, line);
        Polygon(dc_, p.data(), static_cast<int>(p.size()));
    }
    void line(double x1, double y1, double x2, double y2, COLORREF colour, double width = 1) {
        HPEN pen = CreatePen(PS_SOLID, std::max(1, static_cast<int>(std::lround(width * sx_))), colour);
        HGDIOBJ old = SelectObject(dc_, pen);
        MoveToEx(dc_, x(x1), y(y1), nullptr);
        LineTo(dc_, x(x2), y(y2));
        SelectObject(dc_, old);
        DeleteObject(pen);
    }
    void text(double l, double t, double r, double b, const wchar_t* s, COLORREF colour, double size,
              bool bold = true) {
        HFONT font = CreateFontW(-std::max(6, static_cast<int>(std::lround(size * sy_))), 0, 0, 0,
                                 bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                 NONANTIALIASED_QUALITY, 0, L"Arial");
        HGDIOBJ old = SelectObject(dc_, font);
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, colour);
        RECT box{x(l), y(t), x(r), y(b)};
        DrawTextW(dc_, s, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc_, old);
        DeleteObject(font);
    }

private:
    struct Select {
        Select(HDC dc, COLORREF fill, COLORREF line)
            : dc(dc), brush(CreateSolidBrush(fill)), pen(CreatePen(PS_SOLID, 1, line)),
              oldBrush(SelectObject(dc, brush)), oldPen(SelectObject(dc, pen)) {}
        ~Select() {
            SelectObject(dc, oldBrush);
            SelectObject(dc, oldPen);
            DeleteObject(brush);
            DeleteObject(pen);
        }
        HDC dc;
        HBRUSH brush;
        HPEN pen;
        HGDIOBJ oldBrush, oldPen;
    };
    int x(double v) const { return static_cast<int>(std::lround(v * sx_)); }
    int y(double v) const { return static_cast<int>(std::lround(v * sy_)); }
    HDC dc_;
    double sx_, sy_;
};

constexpr COLORREF kOutline = RGB(64, 64, 64);
constexpr COLORREF kFolder = RGB(240, 200, 80);
constexpr COLORREF kFolderDark = RGB(190, 140, 30);
constexpr COLORREF kBlue = RGB(40, 100, 190);
constexpr COLORREF kPaper = RGB(252, 252, 252);

void folder(Canvas& c, COLORREF body) {
    c.polygon({{1, 3}, {6, 3}, {7, 4.5}, {15, 4.5}, {15, 14}, {1, 14}}, kFolderDark, kFolderDark);
    c.rect(1, 6, 15.5, 14.5, body, kFolderDark);
}

void page(Canvas& c) {
    c.polygon({{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}}, kPaper, kOutline);
    c.line(10, 1, 10, 4, kOutline);
    c.line(10, 4, 13, 4, kOutline);
}

void draw(Canvas& c, std::string_view id) {
    if (id == "folder") {
        folder(c, kFolder);
    } else if (id == "folder-found") {
        folder(c, kFolder);
        c.line(5, 10, 7.5, 12.5, RGB(0, 128, 0), 2);
        c.line(7.5, 12.5, 12, 7, RGB(0, 128, 0), 2);
    } else if (id == "folder-open") {
        c.polygon({{1, 3}, {6, 3}, {7, 4.5}, {14, 4.5}, {14, 7}, {1, 7}}, kFolderDark, kFolderDark);
        c.polygon({{1, 14}, {3.5, 7}, {16, 7}, {13.5, 14}}, RGB(250, 220, 120), kFolderDark);
    } else if (id == "charge-neutral" || id == "charge-failed" || id == "charge-loaded") {
        COLORREF fill = id == "charge-loaded"   ? RGB(30, 170, 60)
                        : id == "charge-failed" ? RGB(210, 40, 40)
                                                : RGB(190, 190, 190);
        c.ellipse(1.5, 3.5, 14.5, 12.5, fill, kOutline);
        c.ellipse(4, 5, 8, 7.5, RGB(255, 255, 255), RGB(255, 255, 255));
    } else if (id == "verify") {
        c.ellipse(1.5, 1.5, 10.5, 10.5, RGB(220, 236, 255), kBlue);
        c.line(9, 9, 14.5, 14.5, kOutline, 2.5);
    } else if (id == "register" || id == "unregister") {
        c.round(1, 2, 12, 14, 3, RGB(230, 230, 240), kOutline);
        c.rect(3, 4, 10, 6, kBlue, kBlue);
        COLORREF sign = id == "register" ? RGB(0, 140, 0) : RGB(200, 30, 30);
        c.ellipse(8, 8, 16, 16, sign, sign);
        c.line(9.8, 12, 14.2, 12, RGB(255, 255, 255), 1.6);
        if (id == "register") c.line(12, 9.8, 12, 14.2, RGB(255, 255, 255), 1.6);
    } else if (id == "cmd") {
        c.rect(0.5, 2, 15.5, 14, RGB(20, 20, 20), kOutline);
        c.rect(0.5, 2, 15.5, 4, RGB(200, 200, 200), kOutline);
        c.line(3, 6.5, 6, 9, RGB(230, 230, 230), 1.3);
        c.line(6, 9, 3, 11.5, RGB(230, 230, 230), 1.3);
        c.line(7.5, 11.5, 12, 11.5, RGB(230, 230, 230), 1.3);
    } else if (id == "regedit") {
        c.rect(1, 8, 7, 14, RGB(60, 130, 220), kOutline);
        c.rect(8, 8, 14, 14, RGB(60, 130, 220), kOutline);
        c.rect(4.5, 2, 10.5, 8, RGB(110, 180, 250), kOutline);
    } else if (id == "help" || id == "about") {
        c.ellipse(1, 1, 15, 15, kBlue, RGB(20, 60, 140));
        c.text(1, 1, 15, 15, id == "help" ? L"?" : L"i", RGB(255, 255, 255), 11);
    } else if (id == "file-info") {
        page(c);
        c.text(3, 4, 13, 15, L"i", kBlue, 9);
    } else if (id == "clear") {
        page(c);
        c.line(5.5, 7, 10.5, 12, RGB(200, 30, 30), 1.8);
        c.line(10.5, 7, 5.5, 12, RGB(200, 30, 30), 1.8);
    } else if (id == "copy-all") {
        c.rect(1, 1, 10, 12, kPaper, kOutline);
        c.rect(6, 4, 15, 15, kPaper, kOutline);
        for (double yy : {7.0, 9.5, 12.0}) c.line(8, yy, 13, yy, kBlue);
    } else if (id == "readme") {
        page(c);
        c.rect(1.5, 8.5, 11.5, 13, RGB(200, 30, 30), RGB(200, 30, 30));
        c.text(1.5, 8.5, 11.5, 13, L"PDF", RGB(255, 255, 255), 4.2);
    } else if (id == "site") {
        // A small globe in the upper half: the About window sets the address
        // line across the lower half of this picture.
        c.ellipse(5.5, 0.4, 10.5, 8.2, RGB(200, 225, 250), kBlue);
        c.ellipse(7, 0.4, 9, 8.2, RGB(200, 225, 250), kBlue);
        c.line(8, 0.4, 8, 8.2, kBlue, 0.3);
        c.line(5.5, 4.3, 10.5, 4.3, kBlue, 0.3);
    } else { // "app", "logo" and anything unnamed: the program's own mark
        c.round(0.5, 0.5, 15.5, 15.5, 5, kBlue, RGB(20, 60, 140));
        c.rect(3.5, 4, 8, 8.5, RGB(255, 210, 80), RGB(255, 255, 255));
        c.rect(8, 7.5, 12.5, 12, RGB(120, 220, 120), RGB(255, 255, 255));
        c.line(8, 6.2, 11, 6.2, RGB(255, 255, 255), 1.2);
        c.line(5, 10, 5, 12.5, RGB(255, 255, 255), 1.2);
    }
}

} // namespace

bool isKnownPicture(std::string_view id) {
    static constexpr std::string_view known[] = {
        "app", "logo", "folder", "folder-found", "folder-open", "charge-neutral", "charge-failed",
        "charge-loaded", "verify", "register", "unregister", "cmd", "regedit", "help", "about",
        "file-info", "clear", "copy-all", "readme", "site"};
    return std::find(std::begin(known), std::end(known), id) != std::end(known);
}

namespace {

unique_hicon iconOf(HBITMAP colour, int width, int height) {
    std::vector<std::uint8_t> maskBits(static_cast<size_t>(((width + 15) / 16) * 2 * height), 0);
    unique_hbitmap mask(CreateBitmap(width, height, 1, 1, maskBits.data()));
    ICONINFO info{TRUE, 0, 0, mask.get(), colour};
    return unique_hicon(CreateIconIndirect(&info));
}

std::uint32_t greyOf(std::uint32_t rgb) {
    // Light grey in the picture's own shading, as a disabled button shows it.
    std::uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    std::uint32_t grey = 150 + ((r * 30 + g * 59 + b * 11) / 100) * 90 / 255;
    return (grey << 16) | (grey << 8) | grey;
}

} // namespace

// A DIB section of 32-bit pixels, top row first.
unique_hbitmap pixelBitmap(int width, int height, std::uint32_t** bits) {
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = width;
    header.bV5Height = -height;
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_RGB;
    void* raw = nullptr;
    unique_hbitmap bitmap(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &raw,
                                           nullptr, 0));
    *bits = static_cast<std::uint32_t*>(raw);
    return bitmap;
}

// The picture drawn into a bitmap of its own, its background turned into alpha.
unique_hbitmap drawnPicture(std::string_view id, int width, int height, bool greyed, std::uint32_t** bits) {
    // Draw on a key colour that no picture uses, then turn it into alpha.
    constexpr COLORREF kKey = RGB(255, 0, 255);
    unique_hbitmap colour = pixelBitmap(width, height, bits);
    HDC dc = CreateCompatibleDC(nullptr);
    if (!colour || !dc) {
        if (dc) DeleteDC(dc);
        return {};
    }
    HGDIOBJ old = SelectObject(dc, colour.get());
    RECT all{0, 0, width, height};
    HBRUSH key = CreateSolidBrush(kKey);
    FillRect(dc, &all, key);
    DeleteObject(key);
    Canvas canvas(dc, width, height);
    draw(canvas, id);
    GdiFlush();
    SelectObject(dc, old);
    DeleteDC(dc);

    std::uint32_t* px = *bits;
    for (int i = 0; i < width * height; ++i) {
        std::uint32_t rgb = px[i] & 0x00FFFFFFu;
        if (rgb == 0x00FF00FFu) {
            px[i] = 0u;
            continue;
        }
        if (greyed) rgb = greyOf(rgb);
        px[i] = rgb | 0xFF000000u;
    }
    return colour;
}

unique_hicon makePictureIcon(std::string_view id, int width, int height, bool greyed) {
    if (width <= 0 || height <= 0) return {};
    // The program's mark comes from the executable's own icon where it has
    // one, drawn for each size; a program without it (a test) draws it here.
    if ((id == "app" || id == "logo") && !greyed) {
        HANDLE own = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON, width, height,
                                LR_DEFAULTCOLOR);
        if (own) return unique_hicon(static_cast<HICON>(own));
    }
    std::uint32_t* bits = nullptr;
    unique_hbitmap colour = drawnPicture(id, width, height, greyed, &bits);
    if (!colour) return {};
    return iconOf(colour.get(), width, height);
}

unique_hbitmap makePictureStrip(std::string_view id, int size, int count, int greyedAt) {
    if (size <= 0 || count <= 0) return {};
    std::uint32_t* face = nullptr;
    unique_hbitmap drawn = drawnPicture(id, size, size, false, &face);
    std::uint32_t* row = nullptr;
    unique_hbitmap strip = pixelBitmap(size * count, size, &row);
    if (!drawn || !strip) return {};
    for (int y = 0; y < size; ++y) {
        for (int n = 0; n < count; ++n) {
            for (int x = 0; x < size; ++x) {
                std::uint32_t p = face[y * size + x];
                if (n == greyedAt && p != 0u) p = greyOf(p & 0x00FFFFFFu) | 0xFF000000u;
                row[(y * count + n) * size + x] = p;
            }
        }
    }
    GdiFlush();
    return strip;
}

} // namespace brontal::ui
