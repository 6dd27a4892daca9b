// Click editing on the real windows: files of every kind open together in the
// editor, mouse clicks on the views' widgets, the dialogs answered through
// their controls, the repaint read from the views' pixels and the files saved
// through File > Save.
#include "tests/gui/EditorFixture.h"
#include "tests/gui/ViewPixels.h"

#include "platform/AfxRes.h"
#include "tables/CKeyboardHandler.h"
#include "tests/DialogDriver.h"
#include "tests/EditScenario.h"
#include "tests/view/OpenScenario.h"
#include "view/TableLayout.h"

#include <QTest>

#include <algorithm>
#include <set>

namespace {

using edit_scenario::Scenario;
using edit_scenario::ScenarioFile;
using view_pixels::kPureGreen;

constexpr QSize kClientSize(1000, 330);

// Answers every dialog that opens while it lives; the previous hook comes back afterwards.
class DialogAnswer {
public:
    explicit DialogAnswer(std::function<void(CDialog&)> answer)
    {
        m_previous = AfxSetModalDialogHook([this, answer = std::move(answer)](CDialog& dialog) {
            ++m_shown;
            answer(dialog);
        });
    }
    ~DialogAnswer() { AfxSetModalDialogHook(std::move(m_previous)); }
    int Shown() const { return m_shown; }

private:
    AfxModalDialogHook m_previous;
    int m_shown = 0;
};

QString Hex(int value, int digits) { return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper(); }

class ClickEdit : public EditorTest {
protected:
    // Opens the scenario's files in order and gives every view a 1000 x 330 client area.
    std::vector<CVarnoDoc*> OpenAll(const Scenario& scenario)
    {
        std::vector<CVarnoDoc*> documents;
        m_paths.clear();
        for (const ScenarioFile& file : scenario.files) {
            m_paths.push_back(Sample(file.name, file.before));
            CVarnoDoc* document = Open(m_paths.back());
            EXPECT_NE(document, nullptr) << file.name;
            if (document == nullptr) {
                return {};
            }
            documents.push_back(document);
            EXPECT_TRUE(SizeClient(*ViewOf(document))) << file.name;
        }
        return documents;
    }

    // Resizes the view's child window until the view's own widget is exactly the client size.
    static bool SizeClient(CVarnoView& view)
    {
        QWidget* widget = view.GetWidget();
        auto* sub = qobject_cast<QMdiSubWindow*>(view.GetParentFrame()->GetWidget());
        if (sub == nullptr) {
            return false;
        }
        sub->showNormal();
        sub->resize(sub->size() + kClientSize - widget->size());
        return WaitFor([widget] { return widget->size() == kClientSize; });
    }

    static void Click(CVarnoView& view, POINT point)
    {
        QTest::mouseClick(view.GetWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(point.x, point.y));
    }

    // File > Save with the document's window active.
    void Save(CVarnoDoc& document)
    {
        static_cast<CMDIChildWnd*>(ViewOf(&document)->GetParentFrame())->MDIActivate();
        Command(ID_FILE_SAVE);
    }

    void CloseAll()
    {
        m_answer = IDNO;
        while (!OpenDocuments().empty()) {
            const std::size_t before = OpenDocuments().size();
            Command(ID_FILE_CLOSE);
            if (OpenDocuments().size() == before) {
                ADD_FAILURE() << "a document did not close";
                return;
            }
        }
        m_messages.clear();
    }

    // Every file on disk holds exactly what the scenario predicts.
    void ExpectFiles(const Scenario& scenario) const
    {
        for (std::size_t i = 0; i < scenario.files.size(); ++i) {
            SCOPED_TRACE(scenario.files[i].name);
            samples::Bytes onDisk;
            ASSERT_TRUE(samples::ReadFile(m_paths[i], onDisk));
            EXPECT_EQ(onDisk.size(), scenario.files[i].after.size());
            EXPECT_EQ(edit_scenario::DifferingOffsets(onDisk, scenario.files[i].after), std::vector<std::size_t>{})
                << "offsets that differ from the expected file";
        }
    }

    std::vector<std::string> m_paths;
};

// The cells a changed code-page file shows green: the entries that were set, as far as the grid shows them.
std::vector<int> GreenCells(const Scenario& s, const ScenarioFile& file)
{
    std::set<int> bytes;
    if (file.changed) {
        bytes.insert(s.n);
        if (s.n == s.b && s.p != 0x3F) {
            bytes.insert(s.p);
        }
    }
    std::vector<int> shown;
    std::copy_if(bytes.begin(), bytes.end(), std::back_inserter(shown), [](int byte) { return byte >= 0x80; });
    return shown;
}

// The keys a changed layout shows green: those holding either of the exchanged bytes.
std::vector<int> GreenKeys(const Scenario& s, const ScenarioFile& file)
{
    std::vector<int> keys;
    for (int key = 0; file.changed && key < CKeyboardHandler::kKeyCount; ++key) {
        const samples::KeyboardKeyPlace place = samples::KeyboardPlace(key);
        const std::uint8_t high = file.before[place.high];
        const std::uint8_t low = file.before[place.low];
        if (high == s.p || low == s.p || high == s.b || low == s.b) {
            keys.push_back(key);
        }
    }
    return keys;
}

TEST_F(ClickEdit, ClicksOnTheWindowsHitTheCellsAndKeysOfTheLayout)
{
    const Scenario scenario = edit_scenario::CharEditScenarios().front();
    const std::vector<CVarnoDoc*> documents = OpenAll(scenario);
    ASSERT_EQ(documents.size(), scenario.files.size());
    CVarnoView& grid = *ViewOf(documents[edit_scenario::kNt1251]);
    CVarnoView& keys = *ViewOf(documents[edit_scenario::kKeyboard]);
    const auto& keyboard = *dynamic_cast<CKeyboardHandler*>(documents[edit_scenario::kKeyboard]->m_pHandler);
    const struct {
        const char* what;
        CVarnoView& view;
        POINT point;
        int charHit; // the byte whose dialog opens, or kNoHit
        int keyHit;  // the key whose dialog opens, or kNoHit
    } cases[] = {
        {"on 0x8F's corner: the cell up and left", grid, {884, 30}, 0x86, kNoHit},
        {"just inside 0x8F", grid, {885, 31}, 0x8F, kNoHit},
        {"row-label column", grid, {75, 100}, kNoHit, kNoHit},
        {"top margin", grid, {500, 10}, kNoHit, kNoHit},
        {"key 0's edge", keys, {126, 11}, kNoHit, 0},
        {"header column", keys, {125, 11}, kNoHit, kNoHit},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QString charField;
        QString lowField;
        DialogAnswer answer([&](CDialog& dialog) {
            if (auto* field = ControlOf<QLineEdit>(dialog, IDC_CHAR)) {
                charField = field->text();
            }
            if (auto* field = ControlOf<QLineEdit>(dialog, IDC_LOW)) {
                lowField = field->text();
            }
            ClickButton(dialog, IDCANCEL);
        });
        Click(c.view, c.point);
        EXPECT_EQ(answer.Shown(), c.charHit != kNoHit || c.keyHit != kNoHit ? 1 : 0);
        if (c.charHit != kNoHit) {
            EXPECT_EQ(charField, Hex(c.charHit, 2));
        }
        if (c.keyHit != kNoHit) {
            EXPECT_EQ(lowField, Hex(keyboard.GetLow(c.keyHit), 2));
        }
    }
    for (CVarnoDoc* document : documents) {
        EXPECT_FALSE(document->IsModified());
    }
    EXPECT_TRUE(m_messages.empty());
}

// Every shared scenario: a click on the clicked file's view, the dialog
// answered, the repaint and the saved bytes of every file.
TEST_F(ClickEdit, ConfirmedChangeReachesEveryWindowAndSavesThePredictedBytes)
{
    for (const Scenario& scenario : edit_scenario::CharEditScenarios()) {
        SCOPED_TRACE(scenario.description);
        const std::vector<CVarnoDoc*> documents = OpenAll(scenario);
        ASSERT_EQ(documents.size(), scenario.files.size());
        CVarnoView& clicked = *ViewOf(documents[scenario.clicked]);
        const RECT cell = GetCharCellRect(view_pixels::TableArea(clicked), scenario.b);
        {
            DialogAnswer answer([&](CDialog& dialog) {
                if (scenario.n != scenario.b) {
                    TypeInto(dialog, IDC_CHAR, Hex(scenario.n, 2));
                }
                if (scenario.u != scenario.o) {
                    TypeInto(dialog, IDC_UNICODE, Hex(scenario.u, 4));
                }
                ClickButton(dialog, IDOK);
            });
            Click(clicked, {cell.left + 1, cell.top + 1});
            EXPECT_EQ(answer.Shown(), 1);
        }
        if (scenario.refused >= 0) {
            ASSERT_EQ(m_messages.size(), 1u);
            EXPECT_EQ(m_messages[0].type, static_cast<UINT>(MB_ICONSTOP));
            EXPECT_NE(m_messages[0].text.find(m_paths[static_cast<std::size_t>(scenario.refused)]), std::string::npos)
                << m_messages[0].text;
        } else {
            EXPECT_TRUE(m_messages.empty());
        }
        for (std::size_t i = 0; i < documents.size(); ++i) {
            const ScenarioFile& file = scenario.files[i];
            SCOPED_TRACE(file.name);
            EXPECT_EQ(documents[i]->IsModified() != FALSE, file.changed);
            CVarnoView& view = *ViewOf(documents[i]);
            if (file.kind == edit_scenario::FileKind::keyboard) {
                EXPECT_EQ(view_pixels::KeysIn(view, kPureGreen), GreenKeys(scenario, file));
            } else {
                EXPECT_EQ(view_pixels::CellsIn(view, kPureGreen), GreenCells(scenario, file));
            }
            if (file.changed) {
                Save(*documents[i]);
                EXPECT_FALSE(documents[i]->IsModified());
            }
        }
        ExpectFiles(scenario);
        CloseAll();
    }
}

TEST_F(ClickEdit, CancelAfterEditsChangesNothing)
{
    const Scenario scenario = edit_scenario::CharEditScenarios().front();
    const std::vector<CVarnoDoc*> documents = OpenAll(scenario);
    ASSERT_EQ(documents.size(), scenario.files.size());
    DialogAnswer answer([](CDialog& dialog) {
        for (int id : {IDC_CHAR, IDC_UNICODE, IDC_LOW, IDC_HIGH}) {
            if (ControlOf(dialog, id) != nullptr) {
                TypeInto(dialog, id, QStringLiteral("41"));
            }
        }
        if (ControlOf(dialog, IDC_CAPSLOCK) != nullptr) {
            ClickButton(dialog, IDC_CAPSLOCK);
        }
        ClickButton(dialog, IDCANCEL);
    });
    Click(*ViewOf(documents[edit_scenario::kGdi]), {500, 200});
    Click(*ViewOf(documents[edit_scenario::kKeyboard]), {500, 200});
    EXPECT_EQ(answer.Shown(), 2);
    for (CVarnoDoc* document : documents) {
        EXPECT_FALSE(document->IsModified());
        CVarnoView& view = *ViewOf(document);
        EXPECT_TRUE(view_pixels::CellsIn(view, kPureGreen).empty());
        // Saved anyway: the bytes are still the opened ones.
        Save(*document);
    }
    ExpectFiles(OpenScenario::Unchanged(scenario));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ClickEdit, KeyEditMarksItsDocumentAndClosingAsksToSave)
{
    const Scenario scenario = edit_scenario::CharEditScenarios().front();
    const std::vector<CVarnoDoc*> documents = OpenAll(scenario);
    ASSERT_EQ(documents.size(), scenario.files.size());
    CVarnoDoc& layout = *documents[edit_scenario::kKeyboard];
    CVarnoView& view = *ViewOf(&layout);
    const RECT column = GetKeyColumnRect(view_pixels::TableArea(view), 5);
    {
        DialogAnswer answer([](CDialog& dialog) {
            TypeInto(dialog, IDC_LOW, QStringLiteral("e9"));
            ClickButton(dialog, IDOK);
        });
        Click(view, {column.left + 1, 200});
        EXPECT_EQ(answer.Shown(), 1);
    }
    for (CVarnoDoc* document : documents) {
        EXPECT_EQ(document->IsModified() != FALSE, document == &layout) << document->GetPathName();
    }
    EXPECT_EQ(view_pixels::KeysIn(view, kPureGreen), std::vector<int>{5});

    // Closing it asks; No closes it and leaves the file as it was.
    static_cast<CMDIChildWnd*>(view.GetParentFrame())->MDIActivate();
    m_answer = IDNO;
    Command(ID_FILE_CLOSE);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, "Save changes to " + m_paths[edit_scenario::kKeyboard] + "?");
    EXPECT_EQ(OpenDocuments().size(), documents.size() - 1);
    ExpectFiles(OpenScenario::Unchanged(scenario));
}

} // namespace
