// Edit > Take Table From on the real windows: the menu entry triggered, the dialog answered through its
// controls, and the saved bytes held against varno-table apply run on copies of the same files.
#include "tests/gui/EditorFixture.h"
#include "tests/gui/ViewPixels.h"

#include "tests/EditScenario.h"
#include "tests/ProcessRun.h"
#include "tests/TestSupport.h"

#include "tables/BuiltInCodePages.h"

#include <QComboBox>

#include <sstream>

namespace {

samples::Bytes Text(const std::string& text) { return {text.begin(), text.end()}; }

samples::Bytes Image(const CVarnoDoc& document)
{
    const CTableHandler& handler = *document.m_pHandler;
    return {handler.m_data, handler.m_data + handler.m_length};
}

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

    // Picks the built-in code page in the dialog's list, which offers every one of them.
    static void ChooseCodePage(CDialog& dialog, const std::string& name)
    {
        auto* list = ControlOf<QComboBox>(dialog, IDC_TAKE_CODEPAGE);
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(static_cast<std::size_t>(list->count()), BuiltInCodePages().size());
        const int index = list->findText(QString::fromStdString(name), Qt::MatchStartsWith);
        ASSERT_GE(index, 0) << name << " is not offered";
        ClickButton(dialog, IDC_TAKE_FROM_CODEPAGE);
        list->setCurrentIndex(index);
    }

    // Answers the dialog with the built-in code page (a name that is no path), the open document
    // (an empty name), or else the file typed in, and the range.
    static void Choose(CDialog& dialog, const std::string& file, const std::string& first, const std::string& last)
    {
        if (FindBuiltInCodePage(file) != nullptr) {
            ChooseCodePage(dialog, file);
        } else if (file.empty()) {
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

// How many of apply's output lines name the file, "FILE: C0 00C0 -> 0410".
int LinesNaming(const std::string& out, const std::string& file)
{
    int count = 0;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        count += line.starts_with(file + ": ");
    }
    return count;
}

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
        std::string source; // a file, or a built-in code page
        samples::Bytes sourceBytes;
        bool sourceOpen;
        std::string first, last;
    } cases[] = {
        {"c_1252.nls", edit_scenario::NtFile("c", "windows-1252", 1252, false).before, "c_1251.nls",
         samples::MakeNtCodePageFile({}), true, "80", "FF"},
        {"cp_1252.nls", samples::MakeNinexCodePageFile(samples::CodePageMapping("windows-1252"), 17506, 3), "cyr.txt",
         Text(cyrillicText), false, "c0", "0xFF"},
        {"c_1252.nls", edit_scenario::NtFile("c", "windows-1252", 1252, false).before, "windows-1253", {}, false, "80", "FF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target + " " + c.source);
        const bool builtIn = FindBuiltInCodePage(c.source) != nullptr;
        const ProcessRun apply = RunProcess(m_copies,
                                            {VARNO_TABLE_EXECUTABLE, "apply", builtIn ? "--codepage" : "--from",
                                             builtIn ? c.source : m_copies.Put(c.source, c.sourceBytes), "--range",
                                             c.first + "-" + c.last, m_copies.Put(c.target, c.targetBytes)},
                                            {});
        ASSERT_EQ(apply.exitStatus, 0) << apply.err;
        const std::vector<int> changed = BytesNamed(apply.out);

        CVarnoDoc* target = Open(Sample(c.target, c.targetBytes));
        const std::string sourcePath = builtIn ? c.source : Sample(c.source, c.sourceBytes);
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

// Every open code-page file and GDI module takes a built-in code page at once, with the bytes that apply gives
// the same files, while a keyboard layout and a reference are left alone; the message counts each file's entries,
// and one Undo puts every file back. When one file refuses, the message names it and no file changes.
TEST_F(TakeTable, EveryOpenTableTakesItAllOrNoneInOneStep)
{
    const struct {
        std::string name;
        samples::Bytes bytes;
        bool target;
    } files[] = {{"c_1252.nls", edit_scenario::NtFile("c", "windows-1252", 1252, false).before, true},
                 {"cp_1252.nls", samples::MakeNinexCodePageFile(samples::CodePageMapping("windows-1252"), 17506, 3), true},
                 {"gdi.exe", samples::MakeGdiModule({}), true},
                 {"ru.kbd", edit_scenario::KeyboardFile("ru.kbd").before, false},
                 {"c_1251.nls", samples::MakeNtCodePageFile({}), false}};
    const struct {
        std::string codePage;
        std::string refused; // empty: taken, as apply counts it
    } cases[] = {
        {"windows-1251", ""},
        {"windows-1253", "gdi.exe was not changed: byte 80 would take 20AC, which byte 88 keeps, so 20AC would no longer "
                         "convert back to 88.\nNo other open file was changed either."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.codePage);
        std::vector<std::string> arguments = {VARNO_TABLE_EXECUTABLE, "apply", "--codepage", c.codePage};
        std::vector<CVarnoDoc*> documents;
        for (const auto& file : files) {
            arguments.push_back(file.target ? m_copies.Put(file.name, file.bytes) : "");
            documents.push_back(Open(Sample(file.name, file.bytes)));
            ASSERT_NE(documents.back(), nullptr);
        }
        std::erase(arguments, "");
        documents.back()->SetReferenceOnly(true);
        const ProcessRun apply = RunProcess(m_copies, arguments, {});
        ASSERT_EQ(apply.exitStatus, c.refused.empty() ? 0 : 2) << apply.err;
        std::string told;
        for (const char* name : {"c_1252.nls", "cp_1252.nls"}) {
            told += std::to_string(LinesNaming(apply.out, m_copies.File(name))) + " entries of " + name + ", ";
        }
        told.replace(told.size() - 2, 2, " and no entry of gdi.exe changed.");
        const int shown = Take(*documents.front(), [&](CDialog& dialog) {
            ChooseCodePage(dialog, c.codePage);
            ClickButton(dialog, IDC_TAKE_EVERY_OPEN);
            ExpectLegibleLayout(dialog);
            SaveScreenshot(dialog, "take-table-every-open");
            ClickButton(dialog, IDOK);
        });
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(m_log.Messages(), (std::vector<MessageLog::Message>{
                                        {c.refused.empty() ? told : c.refused, c.refused.empty() ? MB_ICONINFORMATION : MB_ICONSTOP}}));
        for (std::size_t k = 0; k < documents.size(); ++k) {
            const bool taken = files[k].target && c.refused.empty();
            EXPECT_EQ(Image(*documents[k]), taken ? Contents(m_copies.File(files[k].name)) : files[k].bytes) << files[k].name;
        }
        Command(ID_EDIT_UNDO);
        for (std::size_t k = 0; k < documents.size(); ++k) {
            EXPECT_EQ(Image(*documents[k]), files[k].bytes) << files[k].name << " after one Undo";
            EXPECT_FALSE(documents[k]->IsModified()) << files[k].name;
        }
        CloseAll();
        m_log.Clear();
    }
}

// Keyboard layouts are refused as target and as source; a value that a kept byte holds is refused as
// apply refuses it, and a range that is no range keeps the dialog open: nothing changes in any case. (A
// reference, for which the command is greyed, is in EditCommandsTest.cpp.)
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
    } cases[] = {
        {layout, "", "FF", 0, "ru.kbd is a keyboard layout"},
        {nt1252, layout, "FF", 1, "ru.kbd is a keyboard layout"},
        {nt1252, e, "FF", 1, "byte E9 would take 0065, which byte 65 keeps"},
        {nt1252, "", "7F", 1, "the first not above the second"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.told);
        CVarnoDoc* target = Open(c.target);
        ASSERT_NE(target, nullptr);
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
        EXPECT_TRUE(Contents(c.target) == Image(*target));
        CloseAll();
        m_log.Clear();
    }
}

} // namespace
