// The document windows in the work area: the size at which their tables are
// legible, Cascade, Tile with views that scroll, Edit > Font, the Window menu's
// list and More Windows, Ctrl+Tab, and the line that the empty work area shows.
#include "tests/gui/EditorFixture.h"
#include "tests/gui/ViewPixels.h"

#include "tests/TestSupport.h"
#include "view/LegibleSize.h"

#include <QAbstractScrollArea>
#include <QFontDialog>
#include <QLabel>
#include <QListWidget>
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

// A tiled window smaller than its table scrolls the table at its legible size: the keyboard's cursor scrolls
// into view, and a click where the table has scrolled to edits the byte drawn there.
TEST_F(Windows, TiledWindowsScrollTheirTablesAtTheirLegibleSize)
{
    MainWindow()->resize(800, 500);
    OpenFour();
    Command(ID_WINDOW_TILE_HORZ);
    CVarnoDoc* document = OpenDocuments().front();
    CVarnoView& view = *ViewOf(document);
    auto* window = qobject_cast<QAbstractScrollArea*>(view.GetWidget());
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitFor([window] {
        return window->horizontalScrollBar()->isVisible() && window->verticalScrollBar()->isVisible();
    }));
    const SIZE legible = GetLegibleSize(MainFrame()->m_logFont, document->m_nKind);
    const RECT start = view.GetClientTableArea();
    EXPECT_EQ(QSize(start.right - start.left, start.bottom - start.top + 10), QSize(legible.cx, legible.cy));

    MainWindow()->activateWindow();
    view.GetWidget()->setFocus();
    ASSERT_TRUE(WaitFor([&view] { return view.GetWidget()->hasFocus(); }));
    // Where the window shows a cell, as its scroll bars stand.
    const RECT whole = view_pixels::DrawingOf(view).area;
    const auto onScreen = [&](int byte) {
        const QPoint scrolled(window->horizontalScrollBar()->value(), window->verticalScrollBar()->value());
        return view_pixels::CellBox(whole, byte).translated(-scrolled);
    };
    const QRect client = view.GetClientWidget()->rect();
    for (const auto& [key, byte] : {std::pair{Qt::Key_End, 0xFF}, std::pair{Qt::Key_Home, 0x80}}) {
        QTest::keyClick(view.GetWidget(), key, Qt::ControlModifier);
        EXPECT_TRUE(client.contains(onScreen(byte))) << Hex(byte, 2);
    }
    QTest::keyClick(view.GetWidget(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_GT(view.GetScrollPosition().y, 0);

    std::string shown;
    DialogAnswer answer([&shown](CDialog& dialog) {
        shown = ControlOf<QLineEdit>(dialog, IDC_CHAR)->text().toStdString();
        TypeInto(dialog, IDC_UNICODE, QStringLiteral("20AC"));
        ClickButton(dialog, IDOK);
    });
    const QRect cell = onScreen(0xFD);
    QTest::mouseClick(view.GetClientWidget(), Qt::LeftButton, Qt::NoModifier, cell.center());
    EXPECT_EQ(shown, "FD");
    EXPECT_EQ(document->m_pHandler->Lookup(0xFD), 0x20AC);
    // Changed: green, where the window shows the cell.
    const QImage seen = view.GetClientWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(view_pixels::Holds(seen, cell, view_pixels::kPureGreen));
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

// Past nine windows the Window menu numbers the first nine, so that each key 1 to 9 names one, and
// More Windows lists them all: Enter or a double click brings the chosen one to the front, Escape none.
TEST_F(Windows, TheWindowMenuNumbersNineWindowsAndMoreWindowsListsThemAll)
{
    OpenFour();
    for (int i = 0; i < 7; ++i) {
        Command(ID_WINDOW_NEW);
    }
    QStringList titles;
    for (QMdiSubWindow* window : Area()->subWindowList(QMdiArea::CreationOrder)) {
        titles << window->windowTitle();
    }
    ASSERT_EQ(titles.size(), 11);
    QStringList numbered;
    for (int i = 0; i < 9; ++i) {
        numbered << QStringLiteral("&%1 %2").arg(i + 1).arg(titles[i]);
    }
    // After the menu's own items, New Window to Compare Open Tables.
    EXPECT_EQ(MenuEntries(QStringLiteral("&Window")).mid(5), numbered << QStringLiteral("&More Windows..."));

    const struct {
        const char* how;
        int row;
        int active;
    } choices[] = {{"Enter", 10, 10}, {"double click", 1, 1}, {"Escape", 5, 1}};
    for (const auto& choice : choices) {
        SCOPED_TRACE(choice.how);
        const QString before = Active()->windowTitle();
        QStringList listed;
        QString chosenFirst;
        DialogAnswer answer([&](CDialog& dialog) {
            auto* list = dialog.GetWidget()->findChild<QListWidget*>();
            ASSERT_NE(list, nullptr);
            for (int row = 0; row < list->count(); ++row) {
                listed << list->item(row)->text();
            }
            chosenFirst = list->currentItem()->text();
            list->setCurrentRow(choice.row);
            const QString how = QString::fromLatin1(choice.how);
            if (how == QStringLiteral("double click")) {
                const QPoint at = list->visualItemRect(list->item(choice.row)).center();
                QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
            } else {
                QTest::keyClick(list, how == QStringLiteral("Enter") ? Qt::Key_Return : Qt::Key_Escape);
            }
        });
        QMenu* menu = OpenMenu(QStringLiteral("&Window"));
        menu->actions().back()->trigger();
        ASSERT_TRUE(WaitFor([&answer] { return answer.Shown() == 1; }));
        EXPECT_EQ(listed, titles);
        EXPECT_EQ(chosenFirst, before);
        EXPECT_TRUE(WaitFor([&] { return Active()->windowTitle() == titles[choice.active]; }))
            << Active()->windowTitle().toStdString();
    }
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
