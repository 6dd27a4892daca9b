#pragma once
// The editor as the program starts it, on real (offscreen) windows, with settings in a temporary
// folder and message boxes answered from the test. Every test ends by closing the main window,
// after which no window may be left.

#include "app/CVarnoApp.h"
#include "document/CVarnoDoc.h"
#include "document/PropagateCharChange.h"
#include "frames/CMainFrame.h"
#include "platform/AfxRes.h"
#include "platform/CMDIChildWnd.h"
#include "platform/Display.h"
#include "res/Resource.h"
#include "tests/DialogDriver.h"
#include "tests/MessageLog.h"
#include "tests/TempDir.h"
#include "tools/SampleGenerator.h"
#include "view/CVarnoView.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPaintEvent>
#include <QSettings>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

// Runs the event loop until the condition holds; false when it never did.
inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// An NT code-page file of the code page ("windows-1252", number 1252).
inline samples::Bytes NtFileOf(const char* codePage, std::uint16_t number)
{
    return samples::MakeNtCodePageFile({.codePage = codePage, .number = number});
}
inline samples::Bytes Windows1252() { return NtFileOf("windows-1252", 1252); }

// Keeps the widgets that were painted, and what of each, once installed as their event filter.
class PaintLog : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            painted.insert(watched);
            regions[watched] += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
    void Clear()
    {
        painted.clear();
        regions.clear();
    }
    std::set<QObject*> painted;
    std::map<QObject*, QRegion> regions;
};

// Answers file dialogs with the path, typed into the name field as a user does.
class FileDialogAnswer : public DialogAnswer {
public:
    explicit FileDialogAnswer(const std::string& path)
        : DialogAnswer([path](CDialog& dialog) {
              auto* fileDialog = qobject_cast<QFileDialog*>(dialog.GetWidget());
              ASSERT_NE(fileDialog, nullptr);
              auto* name = fileDialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
              ASSERT_NE(name, nullptr);
              name->setText(QString::fromStdString(path));
              // A name that the dialog cannot find is reported in a box of its own: closed, so that
              // the dialog stays open and ends unanswered.
              QTimer::singleShot(0, fileDialog, [] {
                  if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                      box->close();
                  }
              });
              QMetaObject::invokeMethod(fileDialog, "accept", Qt::DirectConnection);
          })
    {
    }
};

class EditorTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        VarnoRegisterResources();
        AfxEnsureGuiApplication();
    }

    void SetUp() override
    {
        ::setenv("XDG_CONFIG_HOME", m_settings.Path().c_str(), 1);
        // The editor listens for varno-open in a runtime folder of this test's own.
        ::setenv("XDG_RUNTIME_DIR", m_runtime.Path().c_str(), 1);
        m_app = std::make_unique<CVarnoApp>();
        ASSERT_TRUE(m_app->InitInteractive());
    }

    void TearDown() override
    {
        // Whatever is still modified is not saved.
        m_log.Answer(IDNO);
        if (m_app->m_pMainWnd != nullptr) {
            m_app->m_pMainWnd->SendMessage(WM_CLOSE);
        }
        EXPECT_EQ(m_app->m_pMainWnd, nullptr);
        EXPECT_TRUE(OpenDocuments().empty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QStringList left;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            left << QString::fromLatin1(widget->metaObject()->className()) + " " + widget->windowTitle();
        }
        EXPECT_TRUE(left.isEmpty()) << "windows left: " << left.join(QStringLiteral(", ")).toStdString();
        m_app.reset();
    }

    CMainFrame* MainFrame() const { return static_cast<CMainFrame*>(m_app->m_pMainWnd); }
    QMainWindow* MainWindow() const { return qobject_cast<QMainWindow*>(MainFrame()->GetWidget()); }
    QMdiArea* Area() const { return MainFrame()->GetMdiClient(); }

    // The titles of the menu bar's menus, as their resources spell them.
    QStringList MenuTitles() const
    {
        QStringList titles;
        for (QAction* action : MainWindow()->menuBar()->actions()) {
            titles << action->text();
        }
        return titles;
    }

    // The menu bar's menu of that title, as it is when it opens; null when there is none.
    QMenu* OpenMenu(const QString& title) const
    {
        for (QAction* menu : MainWindow()->menuBar()->actions()) {
            if (menu->text() == title) {
                Q_EMIT menu->menu()->aboutToShow();
                return menu->menu();
            }
        }
        return nullptr;
    }

    // The texts of the menu's visible entries, as a user sees them when it opens.
    QStringList MenuEntries(const QString& title) const
    {
        QStringList entries;
        for (QAction* action : OpenMenu(title)->actions()) {
            if (action->isVisible() && !action->isSeparator()) {
                entries << action->text();
            }
        }
        return entries;
    }

    // The item of the command in the menu, as it shows when the menu opens; null when there is none.
    QAction* MenuItem(const QString& title, UINT id) const
    {
        for (QAction* action : OpenMenu(title)->actions()) {
            if (action->data().toUInt() == id) {
                return action;
            }
        }
        return nullptr;
    }

    std::string Sample(const std::string& name, const samples::Bytes& bytes) const { return m_files.Put(name, bytes); }

    // The editor's one document template makes CVarnoDoc documents.
    CVarnoDoc* Open(const std::string& path) { return static_cast<CVarnoDoc*>(m_app->OpenDocumentFile(path.c_str())); }

    std::vector<CVarnoDoc*> OpenDocuments() const { return AllOpenDocuments(*m_app); }

    static std::vector<CVarnoView*> Views(CDocument* document)
    {
        std::vector<CVarnoView*> views;
        POSITION position = document->GetFirstViewPosition();
        while (position != nullptr) {
            views.push_back(static_cast<CVarnoView*>(document->GetNextView(position)));
        }
        return views;
    }

    static CVarnoView* ViewOf(CDocument* document) { return Views(document).at(0); }

    // Whether every window of the document shows its whole table, without scroll bars.
    static bool ShowsWholeTable(CDocument* document)
    {
        return std::ranges::all_of(Views(document), [](CVarnoView* view) {
            const SIZE total = view->GetTotalSize();
            const QWidget* client = view->GetClientWidget();
            return client->size() == view->GetWidget()->size() && client->width() >= total.cx
                && client->height() >= total.cy;
        });
    }

    // Sends a command as the menus and keys do, through the main frame's routing.
    void Command(UINT id) { MainFrame()->OnCmdMsg(id); }

    // The editor started again, as a new program that reads the same settings; what is still
    // open closes first, as on Exit, its changes not saved. Between the two, meanwhile runs.
    void Restart(const std::function<void()>& meanwhile = nullptr)
    {
        m_log.Answer(IDNO);
        if (m_app->m_pMainWnd != nullptr) {
            m_app->m_pMainWnd->SendMessage(WM_CLOSE);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_app.reset();
        if (meanwhile) {
            meanwhile();
        }
        m_app = std::make_unique<CVarnoApp>();
        ASSERT_TRUE(m_app->InitInteractive());
    }

    // File > Close on every document, its changes not saved.
    void CloseAll()
    {
        m_log.Answer(IDNO);
        for (std::size_t left = OpenDocuments().size(); left > 0; --left) {
            Command(ID_FILE_CLOSE);
        }
        EXPECT_TRUE(OpenDocuments().empty());
    }

    std::unique_ptr<CVarnoApp> m_app;
    MessageLog m_log; // answers message boxes with OK unless told otherwise
    TempDir m_settings;
    TempDir m_files;
    TempDir m_runtime;
};
