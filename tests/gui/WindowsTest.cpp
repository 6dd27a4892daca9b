// The document windows in the work area: the size at which their tables are
// legible, Cascade, Edit > Font, the Window menu's list, Ctrl+Tab, and the line
// that the empty work area shows.
#include "tests/gui/EditorFixture.h"

#include "view/LegibleSize.h"

#include <QFontDialog>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

namespace {

class Windows : public EditorTest {
protected:
    // Two NT code-page files, a keyboard layout and a GDI module, opened in this order.
    void OpenFour()
    {
        Open(Sample("c_1251.nls", samples::MakeNtCodePageFile({})));
        Open(Sample("c_1252.nls", samples::MakeNtCodePageFile({})));
        Open(Sample("ru.kbd", samples::MakeKeyboardLayout({})));
        Open(Sample("gdi.exe", samples::MakeGdiModule({})));
        ASSERT_EQ(OpenDocuments().size(), 4u);
    }

    // Each view's size beside the size at which its table is legible in the display font.
    void ExpectLegible(const char* when)
    {
        for (CVarnoDoc* document : OpenDocuments()) {
            const SIZE legible = GetLegibleSize(MainFrame()->m_logFont, document->m_nKind);
            EXPECT_EQ(ViewOf(document)->GetWidget()->size(), QSize(legible.cx, legible.cy))
                << document->GetTitle() << " " << when;
        }
    }

    // Each window within the work area's visible part.
    void ExpectWithinView(const char* when)
    {
        const QRect visible = Area()->viewport()->rect();
        for (QMdiSubWindow* window : Area()->subWindowList()) {
            const QRect at = window->geometry();
            EXPECT_TRUE(visible.contains(at)) << window->windowTitle().toStdString() << " " << when << ": " << at.x()
                                              << "," << at.y() << " " << at.width() << "x" << at.height();
        }
    }

    QMdiSubWindow* Active() const { return Area()->currentSubWindow(); }
};

TEST_F(Windows, NewAndCascadedWindowsAreLegibleAndTheWorkAreaScrollsToThem)
{
    OpenFour();
    ExpectLegible("when opened");
    Command(ID_WINDOW_TILE_HORZ);
    Area()->setActiveSubWindow(Area()->subWindowList(QMdiArea::CreationOrder).front());
    Command(ID_WINDOW_CASCADE);
    ExpectLegible("after Cascade");
    // Stepped down and right by a title bar, the active window last and on top.
    const QList<QMdiSubWindow*> stacked = Area()->subWindowList(QMdiArea::StackingOrder);
    EXPECT_EQ(stacked.back(), Active());
    const int step = stacked[1]->y() - stacked[0]->y();
    EXPECT_GT(step, 10);
    for (qsizetype i = 0; i < stacked.size(); ++i) {
        EXPECT_EQ(stacked[i]->pos(), QPoint(i * step, i * step)) << i;
    }

    // Too small a main window for them: each starts again at the top, and the work area scrolls.
    MainWindow()->resize(400, 150);
    Command(ID_WINDOW_CASCADE);
    ExpectLegible("after Cascade in a small main window");
    for (qsizetype i = 0; i < stacked.size(); ++i) {
        EXPECT_EQ(stacked[i]->pos(), QPoint(i * step, 0)) << i;
    }
    EXPECT_TRUE(WaitFor([this] {
        return Area()->horizontalScrollBar()->isVisible() && Area()->verticalScrollBar()->isVisible();
    }));
}

TEST_F(Windows, AfterALargerFontLegibleWindowsGrowWithinTheVisibleAreaWhereTheyFit)
{
    // Room for the windows in the larger font only when they move left.
    MainWindow()->resize(1330, 900);
    ASSERT_TRUE(WaitFor([this] { return Area()->viewport()->width() == 1330; }));
    OpenFour();
    ExpectWithinView("when opened");
    Command(ID_WINDOW_CASCADE);
    // The keyboard layout's window made smaller by hand stays as it is.
    QMdiSubWindow* shrunk = Area()->subWindowList(QMdiArea::CreationOrder)[2];
    shrunk->resize(shrunk->size() / 2);
    const QSize shrunkSize = shrunk->size();
    DialogAnswer fourteenPoints([](CDialog& dialog) {
        auto* fontDialog = qobject_cast<QFontDialog*>(dialog.GetWidget());
        QFont chosen = fontDialog->currentFont();
        chosen.setPointSize(14);
        fontDialog->setCurrentFont(chosen);
        fontDialog->accept();
    });
    Command(ID_EDIT_FONT);
    EXPECT_EQ(shrunk->size(), shrunkSize);
    shrunk->close();
    ASSERT_TRUE(WaitFor([this] { return OpenDocuments().size() == 3; }));
    ExpectLegible("after the font grew");
    ExpectWithinView("after the font grew");
}

TEST_F(Windows, TheWindowMenuListsTheWindowsAndCtrlTabVisitsEachInTurn)
{
    OpenFour();
    Command(ID_WINDOW_NEW);
    const auto windowList = [this] {
        QStringList entries;
        for (QAction* entry : OpenMenu(QStringLiteral("&Window"))->actions()) {
            if (entry->isCheckable()) {
                entries << (entry->isChecked() ? "* " : "  ") + entry->text();
            }
        }
        return entries;
    };
    EXPECT_EQ(windowList(), (QStringList{"  &1 c_1251.nls", "  &2 c_1252.nls", "  &3 ru.kbd", "  &4 gdi.exe:1",
                                         "* &5 gdi.exe:2"}));
    // Choosing an entry brings its window to the front.
    QMenu* windowMenu = OpenMenu(QStringLiteral("&Window"));
    windowMenu->actions()[windowMenu->actions().size() - 4]->trigger();
    EXPECT_EQ(Active()->windowTitle(), QStringLiteral("c_1252.nls"));
    EXPECT_EQ(windowList()[1], QStringLiteral("* &2 c_1252.nls"));

    MainWindow()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(MainWindow()));
    const auto visit = [this](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QStringList visited;
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
            visited << Active()->windowTitle();
        }
        return visited;
    };
    const QStringList forward{"ru.kbd", "gdi.exe:1", "gdi.exe:2", "c_1251.nls", "c_1252.nls"};
    EXPECT_EQ(visit(Qt::Key_Tab, Qt::ControlModifier), forward);
    EXPECT_EQ(visit(Qt::Key_F6, Qt::ControlModifier), forward);
    // Shift+Tab comes as Backtab.
    const QStringList backward{"c_1251.nls", "gdi.exe:2", "gdi.exe:1", "ru.kbd", "c_1252.nls"};
    EXPECT_EQ(visit(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier), backward);
    EXPECT_EQ(visit(Qt::Key_F6, Qt::ControlModifier | Qt::ShiftModifier), backward);
}

TEST_F(Windows, TheEmptyWorkAreaSaysHowToBegin)
{
    MainWindow()->resize(1400, 900);
    auto* line = Area()->viewport()->findChild<QLabel*>(QStringLiteral("howToBegin"));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), QStringLiteral("Open a file with File > Open, or drop one here."));
    // In the middle of the work area.
    EXPECT_TRUE(WaitFor([this, line] {
        return line->isVisible() && (line->geometry().center() - Area()->viewport()->rect().center()).manhattanLength() <= 2;
    }));
    Open(Sample("c_1251.nls", samples::MakeNtCodePageFile({})));
    EXPECT_TRUE(WaitFor([line] { return !line->isVisible(); }));
    CloseAll();
    EXPECT_TRUE(WaitFor([line] { return line->isVisible(); }));
}

} // namespace
