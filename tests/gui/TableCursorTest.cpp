// The table view read and driven from the keyboard: the status bar and the tooltips name the entry under the
// mouse or the cell cursor, the arrow keys and their kin move the cursor, and Enter or F2 edit its cell as a
// click does. With VARNO_SCREENSHOT_DIR set, the cursor test saves the status bar and both dialogs there.
#include "tests/gui/EditorFixture.h"
#include "tests/gui/ViewPixels.h"

#include "tests/TestSupport.h"
#include "view/CellFocusFrame.h"

#include <QDir>
#include <QHelpEvent>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QToolTip>
#include <QWindow>

namespace {

class TableCursor : public EditorTest {
protected:
    std::string Status() const { return MainWindow()->statusBar()->currentMessage().toStdString(); }
    // The idle prompt shows while no message does.
    bool ShowsIdlePrompt() const
    {
        const auto labels = MainWindow()->statusBar()->findChildren<QLabel*>();
        return Status().empty() && std::any_of(labels.begin(), labels.end(), [](const QLabel* label) {
                   return label->isVisible() && label->text() == QStringLiteral("Ready");
               });
    }

    // The box of a byte of a grid or a key of a key table, in the view's window.
    static QRect Box(CVarnoView& view, int entry)
    {
        const RECT area = view_pixels::TableArea(view);
        if (view.GetDocument()->m_nKind == CVarnoDoc::kindKeyboard) {
            return view_pixels::KeyBox(area, entry);
        }
        return view_pixels::CellBox(area, entry);
    }

    // The focused view's window, the main window active.
    QWidget* Focused(CVarnoDoc* document)
    {
        QWidget* window = ViewOf(document)->GetWidget();
        MainWindow()->activateWindow();
        window->setFocus();
        EXPECT_TRUE(WaitFor([window] { return window->hasFocus(); }));
        return window;
    }

    // The screen as the X server shows it when there is one, else the main window; only with VARNO_SCREENSHOT_DIR.
    static void Shoot(QWidget* window, const char* name)
    {
        const char* folder = std::getenv("VARNO_SCREENSHOT_DIR");
        if (folder == nullptr) {
            return;
        }
        ASSERT_TRUE(
            WaitFor([window] { return window->windowHandle() != nullptr && window->windowHandle()->isExposed(); }));
        QCoreApplication::processEvents();
        const QString path = QDir(QString::fromLocal8Bit(folder)).filePath(QString::fromLatin1(name) + ".png");
        if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
            EXPECT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(path));
        } else {
            EXPECT_TRUE(window->grab().save(path));
        }
    }
};

// Every kind of entry, read from the status bar with the mouse resting on it; the display font's
// windows-1251 gives the bytes' glyphs. Nothing described (the mouse gone, the window closed), the idle
// prompt shows.
TEST_F(TableCursor, StatusBarNamesTheEntryUnderTheMouse)
{
    EXPECT_TRUE(ShowsIdlePrompt());
    samples::Bytes nt = samples::MakeNtCodePageFile({});
    samples::PutWord(nt, samples::kNtForwardOffset + 2 * 0xC1, 0x0410); // 0xC0 keeps the reverse entry
    samples::PutWord(nt, samples::kNtForwardOffset + 2 * 0xC2, 0x0378); // unassigned: no byte maps back
    samples::KeyboardLayoutOptions keys;
    keys.keys[3] = {0x00, 0xB9, true};
    const struct {
        const char* name;
        samples::Bytes bytes;
        int entry;
        const char* status;
    } cases[] = {
        {"c_1252.nls", Windows1252(), 0xC0,
         "C0 · А in windows-1251 · U+00C0 À LATIN CAPITAL LETTER A WITH GRAVE · maps back to C0"},
        {"c_1252.nls", Windows1252(), 0x81,
         "81 · Ѓ in windows-1251 · U+0081 control character, no glyph · maps back to 81"},
        {"c_1251.nls", nt, 0xC1,
         "C1 · Б in windows-1251 · U+0410 А CYRILLIC CAPITAL LETTER A · maps back to C0, not to C1"},
        {"c_1251.nls", nt, 0xC2, "C2 · В in windows-1251 · U+0378 unassigned, no glyph · maps back to 3F, not to C2"},
        {"c_1251.nls", nt, 0x98,
         "98 · no glyph in windows-1251 · U+0098 control character, no glyph · maps back to 98"},
        {"gdi.exe", samples::MakeGdiModule({}), 0xC0, "C0 · А in windows-1251 · U+0410 А CYRILLIC CAPITAL LETTER A"},
        {"us.kbd", samples::MakeKeyboardLayout(keys), 3,
         "Key 3 # · low 00 (no glyph), high B9 (№) in windows-1251 · CapsLock ON"},
        {"us.kbd", samples::MakeKeyboardLayout(keys), 7,
         "Key 7 & · low 37 (7), high 26 (&) in windows-1251 · CapsLock off"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        CVarnoDoc* document = Open(Sample(c.name, c.bytes));
        ASSERT_NE(document, nullptr);
        CVarnoView& view = *ViewOf(document);
        const QPoint inside = Box(view, c.entry).topLeft() + QPoint(2, 2);
        QTest::mouseMove(view.GetClientWidget(), inside);
        EXPECT_EQ(Status(), c.status);
        // The tooltip says the same, a part a line; a key's also why it shows bytes.
        std::string tip = c.status;
        if (document->m_nKind == CVarnoDoc::kindKeyboard) {
            tip += " · Keys show their bytes in windows-1251, the display code page: a layout has no table of its own.";
        }
        QHelpEvent help(QEvent::ToolTip, inside, view.GetClientWidget()->mapToGlobal(inside));
        QApplication::sendEvent(view.GetClientWidget(), &help);
        EXPECT_EQ(QToolTip::text().replace(QLatin1Char('\n'), QStringLiteral(" · ")).toStdString(), tip);
        QToolTip::hideText();
        // The mouse gone, and no cell cursor to describe instead, the message goes.
        view.GetWidget()->clearFocus();
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(view.GetClientWidget(), &leave);
        EXPECT_TRUE(ShowsIdlePrompt()) << "after the mouse left: " << Status();
        CloseAll();
        EXPECT_TRUE(ShowsIdlePrompt()) << "after the window closed";
    }
}

// One cursor move after another, each read from the status bar and the frame's place, the last one also from a
// paint of the frame; then a click moves the cursor too, Enter and F2 open the dialog of the cursor's cell, and
// an edit there is described.
TEST_F(TableCursor, KeysMoveTheCursorAndEnterEditsItsCell)
{
    CVarnoDoc* grid = Open(Sample("c_1252.nls", Windows1252()));
    ASSERT_NE(grid, nullptr);
    QWidget* window = Focused(grid);
    CVarnoView& view = *ViewOf(grid);
    // Told from Find's marks by its class: without a meta-object of its own, findChild would take either.
    CellFocusFrame* frame = nullptr;
    for (QObject* child : view.GetClientWidget()->children()) {
        frame = frame != nullptr ? frame : dynamic_cast<CellFocusFrame*>(child);
    }
    ASSERT_NE(frame, nullptr);
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int byte;
    } moves[] = {
        {Qt::Key_Right, Qt::NoModifier, 0x81},    {Qt::Key_Down, Qt::NoModifier, 0x89},
        {Qt::Key_End, Qt::NoModifier, 0x8F},      {Qt::Key_Right, Qt::NoModifier, 0x90},
        {Qt::Key_PageDown, Qt::NoModifier, 0xF8}, {Qt::Key_Down, Qt::NoModifier, 0xF8},
        {Qt::Key_Up, Qt::NoModifier, 0xF0},       {Qt::Key_Home, Qt::ControlModifier, 0x80},
        {Qt::Key_Left, Qt::NoModifier, 0x80},     {Qt::Key_End, Qt::ControlModifier, 0xFF},
        {Qt::Key_PageUp, Qt::NoModifier, 0x87},   {Qt::Key_Home, Qt::NoModifier, 0x80},
        {Qt::Key_Right, Qt::NoModifier, 0x81},    {Qt::Key_Down, Qt::NoModifier, 0x89},
    };
    EXPECT_EQ(Status().substr(0, 2), "80") << "the focus shows the cursor at the first cell";
    PaintLog paints;
    frame->installEventFilter(&paints);
    for (const auto& move : moves) {
        SCOPED_TRACE(Hex(move.byte, 2));
        paints.painted.clear();
        QTest::keyClick(window, move.key, move.modifiers);
        EXPECT_EQ(Status().substr(0, 2), Hex(move.byte, 2));
        EXPECT_TRUE(frame->isVisible());
        EXPECT_EQ(frame->geometry(), Box(view, move.byte));
        if (&move == &moves[std::size(moves) - 1]) {
            EXPECT_TRUE(WaitFor([&] { return paints.painted.count(frame) > 0; })) << "the frame is painted where it went";
        }
    }
    const QPoint onC0 = Box(view, 0xC0).topLeft() + QPoint(2, 2);
    QHelpEvent help(QEvent::ToolTip, onC0, view.GetClientWidget()->mapToGlobal(onC0));
    QApplication::sendEvent(view.GetClientWidget(), &help);
    QTest::mouseMove(view.GetClientWidget(), onC0);
    // The mouse's cell is described, not the cursor's (on an X server once the server has moved the pointer).
    EXPECT_TRUE(WaitFor([this] { return Status().substr(0, 2) == "C0"; }));
    Shoot(MainWindow(), "status-bar");
    QToolTip::hideText();

    std::vector<std::string> opened;
    {
        DialogAnswer answer([&](CDialog& dialog) {
            opened.push_back(ControlOf<QLineEdit>(dialog, IDC_CHAR)->text().toStdString() + "="
                             + ControlOf<QLineEdit>(dialog, IDC_UNICODE)->text().toStdString());
            // A click on a cell, left with Cancel; Enter, left after a value without a digit; F2, confirmed.
            if (opened.size() == 2) {
                Shoot(dialog.GetWidget(), "change-char");
                TypeInto(dialog, IDC_UNICODE, QStringLiteral("Ё"));
                Shoot(dialog.GetWidget(), "change-char-no-digit");
            }
            if (opened.size() == 3) {
                TypeInto(dialog, IDC_UNICODE, QStringLiteral("0410"));
            }
            ClickButton(dialog, opened.size() == 3 ? IDOK : IDCANCEL);
        });
        const QPoint onC3 = Box(view, 0xC3).topLeft() + QPoint(2, 2);
        QTest::mouseClick(view.GetClientWidget(), Qt::LeftButton, Qt::NoModifier, onC3);
        QTest::keyClick(window, Qt::Key_Down);
        QTest::keyClick(window, Qt::Key_Return);
        EXPECT_FALSE(grid->IsModified());
        QTest::keyClick(window, Qt::Key_F2);
    }
    EXPECT_EQ(opened, (std::vector<std::string>{"C3=00C3", "CB=00CB", "CB=00CB"}));
    EXPECT_EQ(grid->m_pHandler->Lookup(0xCB), 0x0410);
    EXPECT_EQ(Status(), "CB · Л in windows-1251 · U+0410 А CYRILLIC CAPITAL LETTER A · maps back to CB")
        << "after the edit";

    // A key table's cursor runs along its fourteen keys.
    samples::KeyboardLayoutOptions options;
    options.keys[12] = {'=', 0xB9, false};
    CVarnoDoc* keys = Open(Sample("ru.kbd", samples::MakeKeyboardLayout(options)));
    ASSERT_NE(keys, nullptr);
    QWidget* keyWindow = Focused(keys);
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_End, Qt::Key_PageUp, Qt::Key_Right, Qt::Key_Left}) {
        QTest::keyClick(keyWindow, key);
    }
    EXPECT_EQ(Status(), "Key = + · low 3D (=), high B9 (№) in windows-1251 · CapsLock off");
    std::string title;
    {
        DialogAnswer answer([&](CDialog& dialog) {
            title = dialog.GetWidget()->windowTitle().toStdString();
            Shoot(dialog.GetWidget(), "change-key");
            ClickButton(dialog, IDCANCEL);
        });
        QTest::keyClick(keyWindow, Qt::Key_Enter);
        EXPECT_EQ(answer.Shown(), 1);
    }
    EXPECT_EQ(title, "Change key: = +");
    CloseAll();
    EXPECT_TRUE(ShowsIdlePrompt()) << "the described window closed from the keyboard";
}

} // namespace
