// The editor's start-up and its main window before and after documents open.
#include "tests/gui/EditorFixture.h"

#include "platform/ResourceIcons.h"
#include "tests/TestSupport.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileSystemModel>
#include <QListView>
#include <QKeySequence>
#include <QLabel>
#include <QMimeData>
#include <QTest>
#include <QUrl>

namespace {

bool SameIcon(const QIcon& a, const QIcon& b)
{
    return a.pixmap(16, 16).toImage() == b.pixmap(16, 16).toImage()
        && a.pixmap(32, 32).toImage() == b.pixmap(32, 32).toImage();
}

using Startup = EditorTest;

TEST_F(Startup, EmptyCommandLineShowsFileAndHelpOnlyAndCommandsWithoutADocumentChangeNothing)
{
    ASSERT_NE(MainFrame(), nullptr);
    EXPECT_TRUE(MainWindow()->isVisible());
    EXPECT_EQ(MainWindow()->windowTitle(), QStringLiteral("Varno"));
    EXPECT_TRUE(SameIcon(MainWindow()->windowIcon(), AfxLoadIcon(IDR_MAINFRAME)));
    EXPECT_EQ(MenuEntries("&File"),
              (QStringList{"&New\tCtrl+N", "&Open...\tCtrl+O", "Open &Reference...", "Recent File", "E&xit"}));

    // New and the commands that nothing handles without a document change nothing.
    for (UINT id : std::initializer_list<UINT>{ID_FILE_NEW, ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_REFERENCE, ID_EDIT_CUT,
                                               ID_EDIT_COPY, ID_EDIT_PASTE, ID_NEXT_PANE, ID_PREV_PANE, ID_FILE_SAVE,
                                               ID_FILE_CLOSE, ID_FILE_SAVE_ALL, ID_FILE_CLOSE_ALL, ID_WINDOW_NEW,
                                               ID_WINDOW_CASCADE}) {
        Command(id);
    }
    EXPECT_TRUE(Area()->subWindowList().isEmpty());
    EXPECT_TRUE(OpenDocuments().empty());
    EXPECT_TRUE(m_log.Messages().empty());
    EXPECT_EQ(MenuTitles(), (QStringList{"&File", "&Help"}));
    // Every accelerator is a shortcut of the main window.
    QList<QKeySequence> shortcuts;
    for (QAction* action : MainWindow()->actions()) {
        shortcuts << action->shortcut();
    }
    for (const char* keys : {"Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+W", "Ctrl+F4", "Ctrl+Z", "Ctrl+Y", "Ctrl+Shift+Z",
                             "Ctrl+X", "Ctrl+C", "Ctrl+V", "Alt+Backspace", "Shift+Del", "Ctrl+Ins", "Shift+Ins", "F6",
                             "Shift+F6", "F1"}) {
        EXPECT_TRUE(shortcuts.contains(QKeySequence(QString::fromLatin1(keys)))) << keys;
    }
}

TEST_F(Startup, CtrlOOpensTheChosenFilesWithTheDocumentMenu)
{
    {
        DialogAnswer cancel([](CDialog& dialog) { qobject_cast<QFileDialog*>(dialog.GetWidget())->reject(); });
        Command(ID_FILE_OPEN);
        EXPECT_EQ(cancel.Shown(), 1);
        EXPECT_TRUE(OpenDocuments().empty()) << "cancelled";
    }
    // Two picked at once in the dialog's list, clicked with Ctrl held.
    const std::string path = Sample("c_1251.nls", samples::MakeNtCodePageFile({}));
    const std::string kbd = Sample("ru.kbd", samples::MakeKeyboardLayout({}));
    QStringList filters;
    DialogAnswer answer([&](CDialog& dialog) {
        auto* fileDialog = qobject_cast<QFileDialog*>(dialog.GetWidget());
        filters = fileDialog->nameFilters();
        fileDialog->setDirectory(QString::fromStdString(m_files.Path()));
        auto* list = fileDialog->findChild<QListView*>(QStringLiteral("listView"));
        auto* model = qobject_cast<QFileSystemModel*>(list->model());
        ASSERT_TRUE(WaitFor([&] { return model->rowCount(model->index(fileDialog->directory().path())) == 2; }));
        for (const std::string& chosen : {path, kbd}) {
            const QRect entry = list->visualRect(model->index(QString::fromStdString(chosen)));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, entry.center());
        }
        QMetaObject::invokeMethod(fileDialog, "accept", Qt::DirectConnection);
    });
    MainWindow()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(MainWindow()));
    QTest::keyClick(MainWindow(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(WaitFor([this] { return OpenDocuments().size() == 2; }));
    EXPECT_EQ(answer.Shown(), 1);
    EXPECT_EQ(filters, (QStringList{"Table files (*.nls *.exe *.kbd)", "Codepage files (*.nls)", "GDI modules (*.exe)",
                                    "Keyboard layouts (*.kbd)", "All Files (*)"}));
    EXPECT_EQ(OpenDocuments()[1]->GetPathName(), kbd);
    Command(ID_FILE_CLOSE);

    CVarnoDoc* document = OpenDocuments().front();
    EXPECT_EQ(document->GetPathName(), path);
    EXPECT_EQ(MenuTitles(), (QStringList{"&File", "&Edit", "&View", "&Window", "&Help"}));
    ASSERT_EQ(Area()->subWindowList().size(), 1);
    QMdiSubWindow* window = Area()->subWindowList().front();
    EXPECT_TRUE(SameIcon(window->windowIcon(), AfxLoadIcon(IDR_VARNOTYPE)));
    EXPECT_TRUE(window->isAncestorOf(ViewOf(document)->GetWidget()));
    EXPECT_EQ(MenuEntries("&File"),
              (QStringList{"&New	Ctrl+N", "&Open...	Ctrl+O", "Open &Reference...", "&Close	Ctrl+W", "Close A&ll",
                           "&Save	Ctrl+S", "Save &As...", "Sa&ve All", "&Export Mapping...",
                           "&1 " + QString::fromStdString(kbd), "&2 " + QString::fromStdString(path), "E&xit"}));

    // Closing the last document window brings the main menu back.
    Command(ID_FILE_CLOSE);
    EXPECT_TRUE(OpenDocuments().empty());
    EXPECT_TRUE(Area()->subWindowList().isEmpty());
    EXPECT_EQ(MenuTitles(), (QStringList{"&File", "&Help"}));
    EXPECT_EQ(MainWindow()->windowTitle(), QStringLiteral("Varno"));
}

// A name that is not UTF-8 (windows-1251 bytes from an old disk), which the toolkit neither
// lists nor gives back: typed as it shows it elsewhere, it opens the one file that shows so.
TEST_F(Startup, FileOpenTakesANameThatIsNotUtf8AsItsBytes)
{
    const std::string cyrillic = Sample("c_\xCA\xC8.nls", samples::MakeNtCodePageFile({}));
    Sample("c_\xCA.nls", samples::MakeNtCodePageFile({}));
    FileDialogAnswer answer(cyrillic);
    Command(ID_FILE_OPEN);
    ASSERT_EQ(OpenDocuments().size(), 1u);
    EXPECT_EQ(OpenDocuments()[0]->GetPathName(), cyrillic);
    EXPECT_TRUE(m_log.Messages().empty());
}

// A file whose name makes no kind: the question names it and the rule, and the file opens as the
// kind picked, by the same load with the same refusals, and saves as that kind. Cancel leaves
// no window and says nothing more.
TEST_F(Startup, AFileWhoseNameMakesNoKindOpensAsTheKindPicked)
{
    const std::string path = Sample("y.nls", Windows1252());
    // A GDI module's tables are found in any file that holds one, an NT file too: zeros hold none.
    const std::string zeros = Sample("z.nls", std::vector<std::uint8_t>(2048));
    const struct {
        const std::string& file;
        int button;
        int kind; // kindUndefined: no document
        std::string message;
    } cases[] = {
        {path, IDCANCEL, CVarnoDoc::kindUndefined, ""},
        {zeros, IDC_KIND_GDI, CVarnoDoc::kindUndefined, "Cannot open file " + zeros + ".\nNo code-page table was found"},
        {path, IDC_KIND_NT, CVarnoDoc::kindNtCodePage, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        m_log.Clear();
        QString question;
        DialogAnswer answer([&](CDialog& dialog) {
            question = dialog.GetWidget()->findChild<QLabel*>()->text();
            ClickButton(dialog, c.button);
        });
        CVarnoDoc* document = Open(c.file);
        EXPECT_EQ(answer.Shown(), 1);
        EXPECT_TRUE(question.startsWith(QString::fromStdString("Undefined format\n" + c.file + "\nThe kind of a file "
                                                                "comes from its name: c_ makes an NT code page")))
            << question.toStdString();
        const std::string told = m_log.Messages().empty() ? "" : m_log.Messages().front().text;
        EXPECT_EQ(told.substr(0, c.message.size()), c.message);
        EXPECT_EQ(document != nullptr, c.kind != CVarnoDoc::kindUndefined);
        EXPECT_EQ(Area()->subWindowList().size(), document != nullptr ? 1 : 0);
    }

    CVarnoDoc* document = OpenDocuments().at(0);
    EXPECT_EQ(document->m_nKind, CVarnoDoc::kindNtCodePage);
    EXPECT_EQ(Area()->subWindowList().front()->windowTitle(), QStringLiteral("y.nls (NT code page)"));
    document->ApplyEdit([&] { document->m_pHandler->Assign(0xC0, 0x0410); });
    Command(ID_FILE_SAVE);
    EXPECT_EQ(samples::GetWord(Contents(path), samples::kNtForwardOffset + 2 * 0xC0), 0x0410);
}

TEST_F(Startup, FilesDroppedOnTheMainWindowOpen)
{
    // A name that is not UTF-8 comes as its bytes, percent-encoded; a file of another host is not opened.
    const std::string nt = Sample("c_\xCA\xC8.nls", samples::MakeNtCodePageFile({}));
    const std::string kbd = Sample("ru.kbd", samples::MakeKeyboardLayout({}));
    const std::string remote = Sample("us.kbd", samples::MakeKeyboardLayout({}));
    EXPECT_TRUE(MainWindow()->acceptDrops());
    QMimeData data;
    data.setUrls({QUrl::fromEncoded("file://" + QByteArray::fromStdString(nt).toPercentEncoding("/")),
                  QUrl::fromEncoded("file://elsewhere" + QByteArray::fromStdString(remote).toPercentEncoding("/")),
                  QUrl::fromLocalFile(QString::fromStdString(kbd))});
    QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(MainWindow(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(MainWindow(), &drop);
    ASSERT_TRUE(WaitFor([this] { return OpenDocuments().size() == 2; }));
    EXPECT_EQ(OpenDocuments()[0]->GetPathName(), nt);
    EXPECT_EQ(OpenDocuments()[0]->m_nKind, CVarnoDoc::kindNtCodePage);
    EXPECT_EQ(OpenDocuments()[1]->m_nKind, CVarnoDoc::kindKeyboard);
    EXPECT_EQ(Area()->subWindowList().size(), 2);
}

} // namespace
