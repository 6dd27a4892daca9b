// The frames at work: the display font, closing with the save prompt, Save All, Close All, Exit,
// the recent-file list, Save As, the Window menu and the settings kept for the next start.
#include "tests/gui/EditorFixture.h"

#include "platform/CRecentFileList.h"
#include "frames/MainWindowSettings.h"
#include "tables/CTableHandler.h"
#include "tests/TestSupport.h"
#include "view/DisplayFont.h"

#include <QFontDialog>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QRegularExpression>

namespace {

class Frames : public EditorTest {
protected:
    // A document of each kind.
    void OpenOneOfEachKind()
    {
        Open(Sample("c_1251.nls", samples::MakeNtCodePageFile({})));
        Open(Sample("cp_1251.nls", samples::MakeNinexCodePageFile(samples::NinexCodePageOptions{})));
        Open(Sample("ru.kbd", samples::MakeKeyboardLayout({})));
        Open(Sample("gdi.exe", samples::MakeGdiModule({})));
        m_log.Clear();
    }
};

TEST_F(Frames, ChosenFontRepaintsEveryTableAndMarksNothing)
{
    OpenOneOfEachKind();
    const std::vector<CVarnoDoc*> documents = OpenDocuments();
    ASSERT_EQ(documents.size(), 4u);
    // Side by side, so that every view is seen and has painted; too small for the font change to grow them.
    PaintLog paints;
    int left = 0;
    for (QMdiSubWindow* window : Area()->subWindowList()) {
        window->setGeometry(left, 0, 120, 120);
        left += 120;
    }
    for (CVarnoDoc* document : documents) {
        ViewOf(document)->GetClientWidget()->installEventFilter(&paints);
    }
    ASSERT_TRUE(WaitFor([&] { return paints.painted.size() == documents.size(); }));

    DialogAnswer font([](CDialog& dialog) {
        auto* fontDialog = qobject_cast<QFontDialog*>(dialog.GetWidget());
        ASSERT_NE(fontDialog, nullptr);
        QFont chosen = fontDialog->currentFont();
        chosen.setUnderline(true);
        fontDialog->setCurrentFont(chosen);
        fontDialog->accept();
    });
    Command(ID_EDIT_FONT);
    // Paints until the font was taken do not count: those that it asked for are still to come.
    paints.painted.clear();
    EXPECT_EQ(MainFrame()->m_logFont.lfUnderline, 1);
    for (CVarnoDoc* document : documents) {
        EXPECT_TRUE(WaitFor([&] { return paints.painted.count(ViewOf(document)->GetClientWidget()) > 0; }))
            << document->GetTitle();
        EXPECT_FALSE(document->IsModified()) << document->GetTitle();
    }
    EXPECT_TRUE(m_log.Messages().empty());
}

// Edit > Font and the main window's size and place are kept for the next start; a kept value that is
// missing or broken gives the default, without a word.
TEST_F(Frames, TheFontAndTheMainWindowsPlaceAreKeptForTheNextStart)
{
    const auto bytesOf = [](const LOGFONT& font) { return QByteArray(reinterpret_cast<const char*>(&font), sizeof font); };
    const LOGFONT standard = DefaultDisplayFont();
    EXPECT_EQ(bytesOf(MainFrame()->m_logFont), bytesOf(standard));
    const QSize standardSize = MainWindow()->size();
    DialogAnswer font([](CDialog& dialog) {
        auto* fontDialog = qobject_cast<QFontDialog*>(dialog.GetWidget());
        QFont chosen = fontDialog->currentFont();
        chosen.setPointSize(20);
        chosen.setItalic(true);
        fontDialog->setCurrentFont(chosen);
        fontDialog->accept();
    });
    Command(ID_EDIT_FONT);
    const LOGFONT chosen = MainFrame()->m_logFont;
    ASSERT_NE(bytesOf(chosen), bytesOf(standard));
    MainWindow()->setGeometry(40, 30, 700, 500);
    Restart();
    EXPECT_EQ(bytesOf(MainFrame()->m_logFont), bytesOf(chosen));
    EXPECT_EQ(MainWindow()->geometry(), QRect(40, 30, 700, 500));

    const auto withFont = [&](const std::function<void(LOGFONT&)>& change) {
        LOGFONT changed = chosen;
        change(changed);
        return bytesOf(changed).toHex();
    };
    const std::pair<QByteArray, bool> kept[] = {
        {bytesOf(chosen).toHex(), true},
        {"", false},
        {"not hex", false},
        {bytesOf(chosen).toHex().chopped(2), false},
        {withFont([](LOGFONT& f) { f.lfHeight = 1001; }), false},
        {withFont([](LOGFONT& f) { f.lfHeight = -1001; }), false},
        {withFont([](LOGFONT& f) { f.lfWeight = -1; }), false},
        {withFont([](LOGFONT& f) { f.lfItalic = 2; }), false},
        {withFont([](LOGFONT& f) { std::memset(f.lfFaceName, 'A', LF_FACESIZE); }), false},
    };
    const QString file = QString::fromStdString(AfxGetSettingsFile("Local AppWizard-Generated Applications", "varno"));
    for (const auto& [value, usable] : kept) {
        QSettings(file, QSettings::IniFormat).setValue(QStringLiteral("Settings/Font"), QString::fromLatin1(value));
        EXPECT_EQ(bytesOf(ReadDisplayFontSetting()), bytesOf(usable ? chosen : standard)) << value.toStdString();
    }
    // A broken place leaves the window at its first size.
    Restart([&file] {
        QSettings(file, QSettings::IniFormat).setValue(QStringLiteral("Settings/MainWindow"), QStringLiteral("01d9d0cb"));
    });
    EXPECT_EQ(MainWindow()->size(), standardSize);
    EXPECT_TRUE(m_log.Messages().empty());
}

// Once the Edit menu has opened, Undo and Redo follow the history as it moves, and name how many of a
// step's files are still open.
TEST_F(Frames, UndoAndRedoFollowTheHistoryAndCountTheOpenFiles)
{
    std::vector<CVarnoDoc*> documents;
    for (const char* name : {"c_1251.nls", "c_1252.nls", "c_866.nls", "c_874.nls"}) {
        documents.push_back(Open(Sample(name, samples::MakeNtCodePageFile({}))));
        ASSERT_NE(documents.back(), nullptr);
    }
    QAction* undo = MenuItem("&Edit", ID_EDIT_UNDO);
    QAction* redo = MenuItem("&Edit", ID_EDIT_REDO);
    m_app->m_editHistory.Record("Change E0 to 0041", documents,
                                [&] { PropagateCharChange(documents, 0xE0, 0xE0, 0x0041, kUnmappedByte, 0x0430); });
    EXPECT_EQ(undo->text().toStdString(), "&Undo Change E0 to 0041\tCtrl+Z");
    documents[0]->OnCloseDocument();
    documents[3]->OnCloseDocument();
    EXPECT_EQ(undo->text().toStdString(), "&Undo Change E0 to 0041 (2 of 4 files open)\tCtrl+Z");
    Command(ID_EDIT_UNDO);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(redo->text().toStdString(), "&Redo Change E0 to 0041 (2 of 4 files open)\tCtrl+Y");
    documents[1]->OnCloseDocument();
    documents[2]->OnCloseDocument();
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_EQ(redo->text().toStdString(), "&Redo\tCtrl+Y");
}

// File > Close, its keys Ctrl+W and Ctrl+F4, and the window's close box.
TEST_F(Frames, ClosingAModifiedDocumentAsksAndDoesWhatTheAnswerSays)
{
    const samples::Bytes original = samples::MakeNtCodePageFile({});
    const struct {
        int answer;
        bool closes;
        bool saves;
    } cases[] = {{IDCANCEL, false, false}, {IDNO, true, false}, {IDYES, true, true}};
    const auto press = [this](Qt::Key key) {
        MainWindow()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(MainWindow()));
        QTest::keyClick(MainWindow(), key, Qt::ControlModifier);
    };
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"File > Close", [this] { Command(ID_FILE_CLOSE); }},
        {"close box", [this] { Area()->subWindowList().front()->close(); }},
        {"Ctrl+W", [&] { press(Qt::Key_W); }},
        {"Ctrl+F4", [&] { press(Qt::Key_F4); }},
    };
    for (const auto& c : cases) {
        for (const auto& [way, close] : ways) {
            SCOPED_TRACE(testing::Message() << "answer " << c.answer << ", " << way);
            const std::string path = Sample("c_1251.nls", original);
            CVarnoDoc* document = Open(path);
            ASSERT_NE(document, nullptr);
            document->m_pHandler->Assign(0xC0, 0x0041);
            document->SetModifiedFlag(TRUE);
            m_log.Clear();
            m_log.Answer(c.answer);
            close();
            ASSERT_TRUE(WaitFor([this] { return !m_log.Messages().empty(); }));
            ASSERT_TRUE(WaitFor([&] { return OpenDocuments().empty() == c.closes; }));
            QCoreApplication::processEvents();
            ASSERT_EQ(m_log.Messages().size(), 1u);
            EXPECT_EQ(m_log.Messages()[0].text, "Save changes to " + path + "?");
            EXPECT_EQ(m_log.Messages()[0].type & MB_TYPEMASK, MB_YESNOCANCEL);
            EXPECT_EQ(OpenDocuments().empty(), c.closes);
            EXPECT_EQ(Area()->subWindowList().isEmpty(), c.closes);
            const samples::Bytes onDisk = Contents(path);
            EXPECT_EQ(onDisk.size(), original.size());
            EXPECT_EQ(samples::GetWord(onDisk, samples::kNtForwardOffset + 2 * 0xC0), c.saves ? 0x0041 : 0x0410);
            if (!c.closes) {
                EXPECT_TRUE(document->IsModified());
                m_log.Answer(IDNO);
                Command(ID_FILE_CLOSE);
            }
        }
    }
}

// Save All saves each changed file as File > Save does; those that cannot be saved are reported in one
// message and stay changed. An unchanged file is not written, though another program changed it.
TEST_F(Frames, SaveAllSavesEveryChangedFileAndReportsTheFailuresInOneMessage)
{
    const samples::Bytes original = samples::MakeNtCodePageFile({});
    std::vector<std::string> paths;
    std::vector<CVarnoDoc*> documents;
    for (const char* name : {"c_1250.nls", "gone/c_1251.nls", "c_1252.nls", "gone/c_1253.nls", "c_866.nls"}) {
        paths.push_back(Sample(name, original));
        documents.push_back(Open(paths.back()));
        ASSERT_NE(documents.back(), nullptr);
    }
    for (std::size_t i = 0; i + 1 < documents.size(); ++i) {
        documents[i]->m_pHandler->Assign(0xE0, 0x0041);
        documents[i]->SetModifiedFlag(TRUE);
    }
    std::filesystem::remove_all(m_files.Path() / "gone");
    const samples::Bytes otherProgram(original.size(), 0x20);
    Sample("c_866.nls", otherProgram);

    Command(ID_FILE_SAVE_ALL);
    for (std::size_t i : {0u, 2u}) {
        const CTableHandler& image = *documents[i]->m_pHandler;
        const samples::Bytes edited(image.m_data, image.m_data + image.m_length);
        EXPECT_NE(edited, original);
        EXPECT_EQ(Contents(paths[i]), edited) << paths[i];
        EXPECT_FALSE(documents[i]->IsModified()) << paths[i];
    }
    EXPECT_EQ(Contents(paths[4]), otherProgram);
    EXPECT_TRUE(documents[1]->IsModified());
    EXPECT_TRUE(documents[3]->IsModified());
    ASSERT_EQ(m_log.Messages().size(), 1u);
    const std::string& text = m_log.Messages()[0].text;
    EXPECT_EQ(text.rfind("Cannot save 2 files:\n" + paths[1] + ": ", 0), 0u) << text;
    EXPECT_NE(text.find("\n" + paths[3] + ": "), std::string::npos) << text;
    EXPECT_EQ(m_log.Messages()[0].type & MB_ICONMASK, MB_ICONSTOP);
}

// Cancel on Exit, or a save on Exit that fails, keeps every document open.
TEST_F(Frames, CancellingExitOrAFailedSaveKeepsEveryDocumentOpen)
{
    OpenOneOfEachKind();
    std::vector<CVarnoDoc*> documents = OpenDocuments();
    documents[1]->SetModifiedFlag(TRUE);
    documents[3]->SetModifiedFlag(TRUE);

    m_log.Answer(IDCANCEL);
    Command(ID_APP_EXIT);
    EXPECT_EQ(m_log.Messages().size(), 1u);
    EXPECT_EQ(OpenDocuments().size(), 4u);
    EXPECT_NE(m_app->m_pMainWnd, nullptr);

    // Closing the main window is the same as Exit.
    MainWindow()->close();
    ASSERT_TRUE(WaitFor([this] { return m_log.Messages().size() == 2; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(OpenDocuments().size(), 4u);
    EXPECT_TRUE(MainWindow()->isVisible());

    // Yes for all, and the last save fails, as its folder has gone: all stay open, the edit too.
    CVarnoDoc* lost = Open(Sample("gone/c_1251.nls", samples::MakeNtCodePageFile({})));
    ASSERT_NE(lost, nullptr);
    lost->SetModifiedFlag(TRUE);
    std::filesystem::remove_all(m_files.Path() / "gone");
    m_log.Clear();
    m_log.Answer(IDYES);
    Command(ID_APP_EXIT);
    EXPECT_NE(m_log.Messages().back().text.find("gone/c_1251.nls"), std::string::npos) << m_log.Messages().back().text;
    EXPECT_EQ(m_log.Messages().back().type & MB_ICONMASK, MB_ICONSTOP);
    ASSERT_EQ(OpenDocuments().size(), 5u);
    EXPECT_TRUE(lost->IsModified());
    EXPECT_TRUE(MainWindow()->isVisible());
}

// While more modified documents follow, the question of Exit and of Close All also offers Yes to All
// and No to All, which answer it for every document after; the last one gets the plain question.
// Cancel keeps everything open.
TEST_F(Frames, ExitAndCloseAllWithSeveralModifiedDocumentsOfferYesToAllAndNoToAll)
{
    const struct {
        std::vector<int> answers;
        std::vector<bool> saved;
    } cases[] = {
        {{IDYES, IDNOTOALL}, {true, false, false}},
        {{IDNO, IDYESTOALL}, {false, true, true}},
        {{IDNO, IDNO, IDYES}, {false, false, true}},
        {{IDYES, IDCANCEL}, {true, false, false}},
    };
    for (const auto& c : cases) {
        for (UINT command : std::initializer_list<UINT>{ID_APP_EXIT, ID_FILE_CLOSE_ALL}) {
            SCOPED_TRACE(testing::Message() << "answers " << testing::PrintToString(c.answers) << ", command " << command);
            if (m_app->m_pMainWnd == nullptr) {
                Restart();
            }
            OpenOneOfEachKind();
            std::vector<std::string> paths;
            std::vector<samples::Bytes> original;
            for (CVarnoDoc* document : OpenDocuments()) {
                if (CVarnoDoc::IsCodePageKind(document->m_nKind)) {
                    paths.push_back(document->GetPathName());
                    original.push_back(Contents(paths.back()));
                    document->m_pHandler->Assign(0xE0, 0x0041);
                    document->SetModifiedFlag(TRUE);
                }
            }
            std::size_t asked = 0;
            m_log.Answer([&](UINT) { return asked < c.answers.size() ? c.answers[asked++] : IDCANCEL; });
            Command(command);
            m_log.Answer(IDOK);
            const bool cancelled = c.answers.back() == IDCANCEL;
            EXPECT_EQ(m_app->m_pMainWnd == nullptr, command == ID_APP_EXIT && !cancelled);
            EXPECT_EQ(OpenDocuments().empty(), !cancelled);
            ASSERT_EQ(m_log.Messages().size(), c.answers.size());
            for (std::size_t i = 0; i < c.answers.size(); ++i) {
                EXPECT_EQ(m_log.Messages()[i].text, "Save changes to " + paths[i] + "?");
                const bool last = i + 1 == paths.size();
                EXPECT_EQ(m_log.Messages()[i].type & MB_TYPEMASK, last ? MB_YESNOCANCEL : MB_YESNOCANCELALL);
            }
            for (std::size_t i = 0; i < paths.size(); ++i) {
                EXPECT_EQ(Contents(paths[i]) != original[i], c.saved.at(i)) << paths[i];
            }
            if (m_app->m_pMainWnd != nullptr) {
                CloseAll();
            }
            m_log.Clear();
        }
    }
}

// The list after opening, reopening and saving, as the File menu shows it and the settings file keeps it.
TEST_F(Frames, RecentFileListKeepsTheFourNewestOnceEachAndDropsAVanishedOne)
{
    std::vector<std::string> paths;
    // One name is not UTF-8: windows-1251 bytes, as on old disks.
    for (const char* name : {"c_1250.nls", "c_1251.nls", "c_\xCA\xC8.nls", "c_1253.nls", "us.kbd"}) {
        paths.push_back(Sample(name, name[0] == 'c' ? samples::MakeNtCodePageFile({}) : samples::MakeKeyboardLayout({})));
        ASSERT_NE(Open(paths.back()), nullptr);
    }
    CRecentFileList* list = m_app->GetRecentFileList();
    ASSERT_NE(list, nullptr);
    const auto expectList = [&](std::vector<int> newestFirst, const char* when) {
        std::vector<std::string> expected;
        for (int i : newestFirst) {
            expected.push_back(paths[i]);
        }
        std::vector<std::string> listed;
        for (int i = 0; i < list->GetCount(); ++i) {
            listed.push_back((*list)[i]);
        }
        EXPECT_EQ(listed, expected) << when;
    };
    expectList({4, 3, 2, 1}, "after opening five");
    EXPECT_EQ(MenuEntries("&File").filter(QRegularExpression("^&[0-9] ")).size(), 4);

    // Reopened from the list, the entry moves to the top; a link to an open file opens nothing new.
    m_log.Answer(IDNO);
    ViewOf(OpenDocuments()[3])->GetParentFrame()->ActivateFrame();
    Command(ID_FILE_CLOSE);
    Command(ID_FILE_MRU_FILE1 + 1);
    expectList({3, 4, 2, 1}, "after reopening the second");
    std::filesystem::create_symlink(paths[3], m_files.File("link.nls"));
    EXPECT_EQ(Open(m_files.File("link.nls"))->GetPathName(), paths[3]);
    EXPECT_EQ(OpenDocuments().size(), 5u);
    // Saved, the file moves to the top as well.
    ViewOf(OpenDocuments()[3])->GetParentFrame()->ActivateFrame();
    Command(ID_FILE_SAVE);
    expectList({4, 3, 2, 1}, "after saving the keyboard layout");

    // Stored for the next start, the name that is not UTF-8 byte for byte.
    const QString file = QString::fromStdString(AfxGetSettingsFile("Local AppWizard-Generated Applications", "varno"));
    ASSERT_TRUE(WaitFor([&] {
        return QSettings(file, QSettings::IniFormat).value("Recent File List/File1").toString().toStdString() == paths[4];
    }));
    EXPECT_FALSE(QSettings(file, QSettings::IniFormat).contains("Recent File List/File5"));
    CRecentFileList reread(ID_FILE_MRU_FILE1, "Local AppWizard-Generated Applications", "varno", 4);
    reread.ReadList();
    ASSERT_EQ(reread.GetCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(reread[i], (*list)[i]) << i;
    }

    // The newest entry's file vanishes: choosing it reports it and drops it; the next one opens.
    CloseAll();
    std::filesystem::remove(paths[4]);
    Command(ID_FILE_MRU_FILE1);
    EXPECT_TRUE(OpenDocuments().empty());
    ASSERT_EQ(m_log.Messages().size(), 1u);
    EXPECT_NE(m_log.Messages()[0].text.find(paths[4]), std::string::npos);
    expectList({3, 2, 1}, "after the newest vanished");
    Command(ID_FILE_MRU_FILE1);
    ASSERT_EQ(OpenDocuments().size(), 1u);
    EXPECT_EQ(OpenDocuments()[0]->GetPathName(), paths[3]);
}

// Save As renames the window; a new window shows the document twice and only the last close asks.
TEST_F(Frames, SaveAsAndNewWindowNameTheWindows)
{
    const samples::Bytes bytes = samples::MakeGdiModule({});
    CVarnoDoc* document = Open(Sample("gdi.exe", bytes));
    ASSERT_NE(document, nullptr);
    const std::string copy = m_files.File("gdi-copy.exe");
    FileDialogAnswer answer(copy);
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(answer.Shown(), 1);
    EXPECT_EQ(Contents(copy), bytes);
    EXPECT_EQ(document->GetPathName(), copy);
    EXPECT_EQ(MainWindow()->windowTitle(), QStringLiteral("Varno - gdi-copy.exe"));
    EXPECT_EQ(Area()->subWindowList().front()->windowTitle(), QStringLiteral("gdi-copy.exe"));

    Command(ID_WINDOW_NEW);
    ASSERT_EQ(Views(document).size(), 2u);
    auto titles = [this] {
        QStringList shown{MainWindow()->windowTitle()};
        for (QMdiSubWindow* window : Area()->subWindowList(QMdiArea::CreationOrder)) {
            shown << window->windowTitle();
        }
        return shown;
    };
    EXPECT_EQ(titles(), (QStringList{"Varno - gdi-copy.exe:2", "gdi-copy.exe:1", "gdi-copy.exe:2"}));
    // A modified document's windows are marked.
    document->SetModifiedFlag(TRUE);
    EXPECT_EQ(titles(), (QStringList{"Varno - gdi-copy.exe:2*", "gdi-copy.exe:1*", "gdi-copy.exe:2*"}));

    m_log.Answer(IDCANCEL);
    Area()->subWindowList(QMdiArea::CreationOrder).back()->close();
    ASSERT_TRUE(WaitFor([this] { return Area()->subWindowList().size() == 1; }));
    EXPECT_TRUE(m_log.Messages().empty());
    EXPECT_EQ(titles(), (QStringList{"Varno - gdi-copy.exe*", "gdi-copy.exe*"}));
    Area()->subWindowList().front()->close();
    ASSERT_TRUE(WaitFor([this] { return m_log.Messages().size() == 1; }));
    EXPECT_EQ(OpenDocuments().size(), 1u);
}

// F1 shows the editor's guide beside the tables, not modally and scrollable; asked again, the same
// window comes forward, and Escape closes it.
TEST_F(Frames, F1ShowsTheGuideBesideTheTablesAndEscapeClosesIt)
{
    MainWindow()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(MainWindow()));
    QTest::keyClick(MainWindow(), Qt::Key_F1);
    QPointer<QDialog> help;
    ASSERT_TRUE(WaitFor([&] { return (help = MainWindow()->findChild<QDialog*>(QStringLiteral("helpWindow"))); }));
    EXPECT_TRUE(help->isVisible());
    EXPECT_FALSE(help->isModal());
    auto* text = help->findChild<QTextBrowser*>();
    ASSERT_NE(text, nullptr);
    for (const char* part : {"What a cell shows", "А=0410=C0", "View > Letters", "Green marks", "Edit > Undo",
                             "Reference tables", "Take Table From", "Undefined format", "varno-table(1)",
                             "varno-open(1)"}) {
        EXPECT_TRUE(text->toPlainText().contains(QString::fromUtf8(part))) << part;
    }
    EXPECT_GT(text->verticalScrollBar()->maximum(), 0);

    Command(ID_HELP_CONTENTS);
    EXPECT_EQ(MainWindow()->findChildren<QDialog*>(QStringLiteral("helpWindow")).size(), 1);
    ASSERT_TRUE(QTest::qWaitForWindowActive(help));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(WaitFor([&] { return help == nullptr; }));
}

} // namespace
