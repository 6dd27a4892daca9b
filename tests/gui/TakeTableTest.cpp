// Edit > Take Table From on the real windows: the menu entry triggered, the dialog answered through its
// controls, and the saved bytes held against varno-table apply run on copies of the same files.
#include "tests/gui/EditorFixture.h"
#include "tests/gui/ViewPixels.h"

#include "tests/EditScenario.h"
#include "tests/ProcessRun.h"
#include "tests/TestSupport.h"

#include <QComboBox>

#include <sstream>

namespace {

samples::Bytes Text(const std::string& text) { return {text.begin(), text.end()}; }

class TakeTable : public EditorTest {
protected:
    // Activates the target's window and, once it has painted, clicks Edit > Take Table From with the
    // dialogs answered so; returns how many were shown once the message that every outcome ends with is
    // there. m_paints then holds what the take asked to repaint.
    int Take(CVarnoDoc& target, std::function<void(CDialog&)> answer)
    {
        QWidget* view = ViewOf(&target)->GetClientWidget();
        view->installEventFilter(&m_paints);
        static_cast<CMDIChildWnd*>(ViewOf(&target)->GetParentFrame())->MDIActivate();
        EXPECT_TRUE(WaitFor([&] { return m_paints.painted.count(view) > 0; }));
        m_paints.painted.clear();
        DialogAnswer dialogs(std::move(answer));
        MenuItem(QStringLiteral("&Edit"), ID_EDIT_TAKE_TABLE)->trigger();
        EXPECT_TRUE(WaitFor([this] { return !m_log.Messages().empty(); }));
        return dialogs.Shown();
    }

    // Answers the dialog with the open document, or else the file typed in, and the range.
    static void Choose(CDialog& dialog, const std::string& file, const std::string& first, const std::string& last)
    {
        if (file.empty()) {
            ClickButton(dialog, IDC_TAKE_FROM_OPEN);
            EXPECT_EQ(ControlOf<QComboBox>(dialog, IDC_TAKE_DOCUMENT)->count(), 1) << "the other code-page file only";
        } else {
            TypeInto(dialog, IDC_TAKE_FILE, QString::fromStdString(file));
        }
        TypeInto(dialog, IDC_TAKE_FIRST, QString::fromStdString(first));
        TypeInto(dialog, IDC_TAKE_LAST, QString::fromStdString(last));
        ExpectLegibleLayout(dialog);
        SaveScreenshot(dialog, "take-table-from");
        ClickButton(dialog, IDOK);
    }

    PaintLog m_paints;
    TempDir m_copies;
};

// The bytes that apply's output lines name, "FILE: C0 00C0 -> 0410".
std::vector<int> BytesNamed(const std::string& out)
{
    std::vector<int> bytes;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        bytes.push_back(std::stoi(line.substr(line.find(": ") + 2, 2), nullptr, 16));
    }
    return bytes;
}

// The everyday job, and a 9x file that takes part of a mapping text: the take saves the bytes that apply
// writes on copies, turns green the entries that apply reports, says how many, and leaves the source alone.
TEST_F(TakeTable, GivesTheBytesOfApplyForTheSameSource)
{
    const samples::Mapping cyrillic = samples::CodePageMapping("windows-1251");
    std::string cyrillicText;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        cyrillicText += "0x" + Hex(byte, 2) + "\t0x" + Hex(cyrillic[byte], 4) + "\n";
    }
    const struct {
        std::string target;
        samples::Bytes targetBytes;
        std::string source;
        samples::Bytes sourceBytes;
        bool sourceOpen;
        std::string first, last;
    } cases[] = {
        {"c_1252.nls", edit_scenario::NtFile("c", "windows-1252", 1252, false).before, "c_1251.nls",
         samples::MakeNtCodePageFile({}), true, "80", "FF"},
        {"cp_1252.nls", samples::MakeNinexCodePageFile(samples::CodePageMapping("windows-1252"), 17506, 3), "cyr.txt",
         Text(cyrillicText), false, "c0", "0xFF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        const ProcessRun apply = RunProcess(m_copies,
                                            {VARNO_TABLE_EXECUTABLE, "apply", "--from", m_copies.Put(c.source, c.sourceBytes),
                                             "--range", c.first + "-" + c.last, m_copies.Put(c.target, c.targetBytes)},
                                            {});
        ASSERT_EQ(apply.exitStatus, 0) << apply.err;
        const std::vector<int> changed = BytesNamed(apply.out);

        CVarnoDoc* target = Open(Sample(c.target, c.targetBytes));
        const std::string sourcePath = Sample(c.source, c.sourceBytes);
        CVarnoDoc* source = c.sourceOpen ? Open(sourcePath) : nullptr;
        ASSERT_NE(target, nullptr);
        EXPECT_EQ(Take(*target, [&](CDialog& dialog) { Choose(dialog, c.sourceOpen ? "" : sourcePath, c.first, c.last); }), 1);
        const std::string told = std::to_string(changed.size()) + " entries of " + c.target + " changed.";
        EXPECT_EQ(m_log.Messages(), (std::vector<MessageLog::Message>{{told, MB_ICONINFORMATION}}));
        EXPECT_TRUE(target->IsModified());
        EXPECT_TRUE(WaitFor([&] { return m_paints.painted.count(ViewOf(target)->GetClientWidget()) > 0; })) << "no repaint";
        EXPECT_EQ(view_pixels::CellsIn(*ViewOf(target), view_pixels::kPureGreen), changed);
        EXPECT_TRUE(source == nullptr || !source->IsModified());
        Command(ID_FILE_SAVE);
        EXPECT_EQ(DifferingOffsets(Contents(m_files.File(c.target)), Contents(m_copies.File(c.target))),
                  std::vector<std::size_t>{});
        // The take is one step.
        EXPECT_EQ(MenuItem("&Edit", ID_EDIT_UNDO)->text().toStdString(),
                  "&Undo Take Table From " + c.source + "\tCtrl+Z");
        Command(ID_EDIT_UNDO);
        Command(ID_FILE_SAVE);
        EXPECT_EQ(Contents(m_files.File(c.target)), c.targetBytes);
        CloseAll();
        m_log.Clear();
    }
}

// Keyboard layouts are refused as target and as source, and so is a reference table as target; a
// value that a kept byte holds is refused as apply refuses it, and a range that is no range keeps the
// dialog open: nothing changes in any case.
TEST_F(TakeTable, RefusalsChangeNothing)
{
    const std::string nt1252 = Sample("c_1252.nls", edit_scenario::NtFile("c", "windows-1252", 1252, false).before);
    const std::string layout = Sample("ru.kbd", edit_scenario::KeyboardFile("ru.kbd").before);
    const std::string e = Sample("e.txt", Text("0xE9\t0x0065\n"));
    const struct {
        std::string target, source; // an empty source: the dialog is left with Cancel
        std::string last;
        int dialogs;
        std::string told; // a part of the one message
        bool reference = false;
    } cases[] = {
        {layout, "", "FF", 0, "ru.kbd is a keyboard layout"},
        {nt1252, layout, "FF", 1, "ru.kbd is a keyboard layout"},
        {nt1252, e, "FF", 1, "byte E9 would take 0065, which byte 65 keeps"},
        {nt1252, "", "7F", 1, "the first not above the second"},
        {nt1252, "", "FF", 0, "c_1252.nls is open for reference only", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.told);
        CVarnoDoc* target = Open(c.target);
        ASSERT_NE(target, nullptr);
        target->SetReferenceOnly(c.reference);
        EXPECT_EQ(Take(*target,
                       [&](CDialog& dialog) {
                           if (!c.source.empty()) {
                               Choose(dialog, c.source, "80", c.last);
                               return;
                           }
                           TypeInto(dialog, IDC_TAKE_LAST, QString::fromStdString(c.last));
                           ClickButton(dialog, IDOK);
                           EXPECT_TRUE(dialog.GetWidget()->isVisible()) << "stays open";
                           ClickButton(dialog, IDCANCEL);
                       }),
                  c.dialogs);
        ASSERT_EQ(m_log.Messages().size(), 1u);
        EXPECT_NE(m_log.Messages()[0].text.find(c.told), std::string::npos) << m_log.Messages()[0].text;
        EXPECT_FALSE(target->IsModified());
        const CTableHandler& handler = *target->m_pHandler;
        EXPECT_TRUE(Contents(c.target) == samples::Bytes(handler.m_data, handler.m_data + handler.m_length));
        CloseAll();
        m_log.Clear();
    }
}

} // namespace
