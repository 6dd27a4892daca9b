#include "frames/MainWindowSettings.h"

#include "platform/CWinApp.h"
#include "view/DisplayFont.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {
constexpr const char* kSection = "Settings";
constexpr const char* kFontEntry = "Font";
constexpr const char* kPlacementEntry = "MainWindow";

// Far beyond any display font in use: a larger kept height is damage, not a choice.
constexpr LONG kMaxFontHeight = 1000;
constexpr LONG kMaxWeight = 1000;

bool IsFlag(BYTE value) { return value <= 1; }

bool IsWithinBounds(const LOGFONT& logFont)
{
    const bool faceEnds = std::memchr(logFont.lfFaceName, '\0', LF_FACESIZE) != nullptr;
    const bool heightFits = logFont.lfHeight >= -kMaxFontHeight && logFont.lfHeight <= kMaxFontHeight;
    const bool weightFits = logFont.lfWeight >= 0 && logFont.lfWeight <= kMaxWeight;
    const bool flags = IsFlag(logFont.lfItalic) && IsFlag(logFont.lfUnderline) && IsFlag(logFont.lfStrikeOut);
    return faceEnds && heightFits && weightFits && flags;
}

// The main window's client area on the desktop, the place that it goes back to when it was maximised.
struct KeptPlacement {
    std::int32_t x;
    std::int32_t y;
    std::int32_t width;
    std::int32_t height;
    std::int32_t maximised;
};

// Within what any desktop shows: a larger kept size or place is damage (and would overflow a rectangle).
constexpr std::int32_t kMaxWindowSide = 1 << 15;
constexpr std::int32_t kMaxCorner = 1 << 20;

bool IsUsable(const KeptPlacement& placement)
{
    const auto sideFits = [](std::int32_t side) { return side > 0 && side <= kMaxWindowSide; };
    const auto cornerFits = [](std::int32_t at) { return at >= -kMaxCorner && at <= kMaxCorner; };
    if (!sideFits(placement.width) || !sideFits(placement.height)) {
        return false;
    }
    if (!cornerFits(placement.x) || !cornerFits(placement.y)) {
        return false;
    }
    if (placement.maximised != 0 && placement.maximised != 1) {
        return false;
    }
    // On a screen that is there now: a place on a screen that has gone would hide the window.
    const QRect place(placement.x, placement.y, placement.width, placement.height);
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::ranges::any_of(screens, [&place](const QScreen* screen) {
        return screen->availableGeometry().intersects(place);
    });
}

std::vector<BYTE> ReadEntry(const char* entry)
{
    std::vector<BYTE> data;
    if (CWinApp* app = AfxGetApp()) {
        app->GetProfileBinary(kSection, entry, data);
    }
    return data;
}

void WriteEntry(const char* entry, const void* data, std::size_t size)
{
    if (CWinApp* app = AfxGetApp()) {
        app->WriteProfileBinary(kSection, entry, static_cast<const BYTE*>(data), static_cast<UINT>(size));
    }
}
} // namespace

LOGFONT ReadDisplayFontSetting()
{
    const std::vector<BYTE> kept = ReadEntry(kFontEntry);
    LOGFONT logFont;
    if (kept.size() != sizeof logFont) {
        return DefaultDisplayFont();
    }
    std::memcpy(&logFont, kept.data(), sizeof logFont);
    return IsWithinBounds(logFont) ? logFont : DefaultDisplayFont();
}

void WriteDisplayFontSetting(const LOGFONT& logFont) { WriteEntry(kFontEntry, &logFont, sizeof logFont); }

void RestoreWindowPlacement(QWidget& window)
{
    const std::vector<BYTE> kept = ReadEntry(kPlacementEntry);
    KeptPlacement placement;
    if (kept.size() != sizeof placement) {
        return;
    }
    std::memcpy(&placement, kept.data(), sizeof placement);
    if (!IsUsable(placement)) {
        return;
    }
    window.setGeometry(placement.x, placement.y, placement.width, placement.height);
    if (placement.maximised == 1) {
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    }
}

void KeepWindowPlacement(const QWidget& window)
{
    // A maximised window keeps the place that it goes back to.
    const QRect place = window.isMaximized() ? window.normalGeometry() : window.geometry();
    const KeptPlacement placement{place.x(), place.y(), place.width(), place.height(), window.isMaximized() ? 1 : 0};
    WriteEntry(kPlacementEntry, &placement, sizeof placement);
}
