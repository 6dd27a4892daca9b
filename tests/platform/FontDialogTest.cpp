#include "platform/CFontDialog.h"
#include "platform/Display.h"

#include "tests/DialogDriver.h"

#include <QDialogButtonBox>
#include <QFontDialog>

#include <gtest/gtest.h>

#include <cstring>

namespace {

LOGFONT MakeLogFont(LONG height, LONG weight, const char* face)
{
    LOGFONT logFont{};
    logFont.lfHeight = height;
    logFont.lfWeight = weight;
    logFont.lfCharSet = RUSSIAN_CHARSET;
    std::strncpy(logFont.lfFaceName, face, LF_FACESIZE - 1);
    return logFont;
}

// OK without a change gives the initial font back; Cancel keeps it whatever was
// picked; OK after a pick gives the pick, with the initial character set.
TEST(FontDialog, GivesTheInitialFontBackUnlessAnotherIsChosenWithOk)
{
    AfxEnsureGuiApplication();
    QFont pick(QStringLiteral("DejaVu Serif"));
    pick.setPointSize(18);
    pick.setItalic(true);
    pick.setUnderline(true);
    LOGFONT picked = MakeLogFont(-24, 400, "DejaVu Serif");
    picked.lfItalic = picked.lfUnderline = 1;
    for (LONG height : {-11, -16, -21}) {
        LOGFONT initial = MakeLogFont(height, 700, "DejaVu Sans");
        initial.lfItalic = initial.lfUnderline = initial.lfStrikeOut = 1;
        const struct {
            const QFont* pick;
            QDialogButtonBox::StandardButton button;
            const LOGFONT& expected;
        } cases[] = {{nullptr, QDialogButtonBox::Ok, initial},
                     {&pick, QDialogButtonBox::Cancel, initial},
                     {&pick, QDialogButtonBox::Ok, picked}};
        for (const auto& c : cases) {
            CFontDialog dialog(&initial);
            const INT_PTR result = RunAnswering(dialog, [&](CDialog& d) {
                auto* fonts = qobject_cast<QFontDialog*>(d.GetWidget());
                ASSERT_NE(fonts, nullptr);
                if (c.pick != nullptr) {
                    fonts->setCurrentFont(*c.pick);
                }
                SaveScreenshot(d, "font-dialog");
                QTest::mouseClick(fonts->findChild<QDialogButtonBox*>()->button(c.button), Qt::LeftButton);
            });
            EXPECT_EQ(result, c.button == QDialogButtonBox::Ok ? IDOK : IDCANCEL);
            EXPECT_EQ(std::memcmp(&dialog.m_lf, &c.expected, sizeof c.expected), 0)
                << height << ": " << dialog.m_lf.lfHeight << " " << dialog.m_lf.lfFaceName;
        }
    }
}

} // namespace
