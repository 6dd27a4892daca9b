// Window > Compare Open Tables over three tables of one system that disagree at known bytes: its rows
// and marks as the choices change, as documents change, close and open, and the one step that a
// double-click or Enter makes.
#include "tests/gui/EditorFixture.h"

#include "document/EditHistory.h"
#include "document/MappingText.h"
#include "tests/EditScenario.h"
#include "tests/TestSupport.h"
#include "view/ComparisonModel.h"
#include "view/CompareTablesWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTest>

namespace {

// For each byte that disagrees, the columns that differ from the row's first value compared.
using Marks = std::map<int, std::vector<bool>>;

class CompareTables : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        for (const edit_scenario::ScenarioFile& file : edit_scenario::DisagreeingSystem()) {
            m_documents.push_back(Open(Sample(file.name, file.before)));
        }
        // A keyboard layout holds no table of its own: no column.
        ASSERT_NE(Open(Sample("us.kbd", edit_scenario::KeyboardFile("us.kbd").before)), nullptr);
        Command(ID_WINDOW_COMPARE);
        for (QMdiSubWindow* sub : Area()->subWindowList()) {
            if (auto* window = dynamic_cast<CompareTablesWindow*>(sub->widget())) {
                m_window = window;
            }
        }
        ASSERT_NE(m_window, nullptr);
    }

    // The window's parts, found as a user finds them: by their kind and their text.
    QTableView* Table() const { return m_window->findChild<QTableView*>(); }
    ComparisonModel& Model() const { return *static_cast<ComparisonModel*>(Table()->model()); }
    QComboBox* CodePageChoice() const { return m_window->findChild<QComboBox*>(); }
    QCheckBox* Choice(const QString& text) const
    {
        for (QCheckBox* box : m_window->findChildren<QCheckBox*>()) {
            if (box->text().remove(QLatin1Char('&')) == text) {
                return box;
            }
        }
        return nullptr;
    }
    QString Summary() const
    {
        for (const QLabel* label : m_window->findChildren<QLabel*>()) {
            if (label->text().contains(QStringLiteral(" rows "))) {
                return label->text();
            }
        }
        return {};
    }

    // Every row's byte, "≠" mark and cell colours as the marks say, and the line that counts them;
    // the rows are the bytes from firstByte on, or the marked ones alone.
    void ExpectMarks(const Marks& marks, int firstByte = 0x80, bool onlyMarked = false) const
    {
        QCoreApplication::processEvents();
        const int compared = 0x100 - firstByte;
        std::vector<int> bytes;
        for (int byte = firstByte; byte <= 0xFF; ++byte) {
            if (!onlyMarked || marks.contains(byte)) {
                bytes.push_back(byte);
            }
        }
        ASSERT_EQ(Model().rowCount(), static_cast<int>(bytes.size()));
        EXPECT_EQ(Summary(),
                  marks.empty() ? QStringLiteral("All %1 rows agree.").arg(compared)
                                : QStringLiteral("%1 of %2 rows disagree.").arg(marks.size()).arg(compared));
        for (int row = 0; row < Model().rowCount(); ++row) {
            const int byte = bytes[static_cast<std::size_t>(row)];
            const auto marked = marks.find(byte);
            const QString header = Model().headerData(row, Qt::Vertical, Qt::DisplayRole).toString();
            EXPECT_EQ(header, QString::fromStdString(Hex(byte, 2)) + (marked != marks.end() ? " \u2260" : ""));
            for (int column = 0; column < Model().columnCount(); ++column) {
                const QVariant colour = Model().data(Model().index(row, column), Qt::BackgroundRole);
                const QVariant expected = marked == marks.end() ? QVariant()
                    : marked->second.at(column) ? QVariant(ComparisonModel::kDifferingCell)
                                                : QVariant(ComparisonModel::kDisagreeingRow);
                EXPECT_EQ(colour, expected) << header.toStdString() << " column " << column;
            }
        }
    }

    QString CellText(int byte, int column) const
    {
        return Model().data(Model().index(byte - 0x80, column), Qt::DisplayRole).toString();
    }

    std::vector<CVarnoDoc*> m_documents;
    CompareTablesWindow* m_window = nullptr;
};

const Marks kSystemMarks = {{0xE0, {false, true, false}}, {0xE1, {false, true, false}}, {0xF0, {false, true, true}}};

} // namespace

TEST_F(CompareTables, MarksWhereTheTablesDisagreeAndFollowsTheChoicesAndTheDocuments)
{
    QStringList titles;
    for (int column = 0; column < Model().columnCount(); ++column) {
        titles << Model().headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    EXPECT_EQ(titles, (QStringList{"c_1251.nls", "cp_1251.nls", "gdi.exe"}));
    EXPECT_EQ(CellText(0xE0, 0), QStringLiteral("a 0061"));
    EXPECT_EQ(CellText(0xE0, 1), QStringLiteral("\u0430 0430"));
    ExpectMarks(kSystemMarks);

    // A code page comes first and is what the others differ from; where it leaves a byte undefined
    // (98 in windows-1251) it has no say.
    const Marks withCodePage = {{0xE0, {false, true, false, true}}, {0xE1, {false, false, true, false}},
                                {0xF0, {false, true, false, false}}};
    CodePageChoice()->setCurrentIndex(CodePageChoice()->findData(QStringLiteral("windows-1251")));
    ExpectMarks(withCodePage);
    EXPECT_EQ(CellText(0x98, 0), QStringLiteral("----"));
    Choice(QStringLiteral("All bytes 00-FF"))->setChecked(true);
    ExpectMarks(withCodePage, 0x00);
    Choice(QStringLiteral("Only rows that disagree"))->setChecked(true);
    ExpectMarks(withCodePage, 0x00, true);
    Choice(QStringLiteral("All bytes 00-FF"))->setChecked(false);
    Choice(QStringLiteral("Only rows that disagree"))->setChecked(false);
    CodePageChoice()->setCurrentIndex(0);
    ExpectMarks(kSystemMarks);

    // Without the 9x file, only F0 still disagrees; a file that opens is one more column.
    m_log.Answer(IDNO);
    m_documents[1]->OnCloseDocument();
    ExpectMarks({{0xF0, {false, true}}});
    ASSERT_NE(Open(Sample("c_agree.nls", samples::MakeNtCodePageFile({}))), nullptr);
    ExpectMarks({{0xE0, {false, false, true}}, {0xF0, {false, true, true}}});
}

// A double-click on the 9x file's E1, then Enter on the GDI module's F0 reached with the arrow keys:
// each gives the cell's value to the other tables as one step, which one Undo takes back whole.
TEST_F(CompareTables, ADoubleClickOrEnterIsOneChangeThatOneUndoTakesBack)
{
    QTableView* table = Table();
    const QModelIndex e1 = Model().index(0xE1 - 0x80, 1);
    table->scrollTo(e1);
    // The toolkit's double-click follows a press, as a user's does.
    const QPoint point = table->visualRect(e1).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    ExpectMarks(kSystemMarks);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    ExpectMarks({{0xE0, {false, true, false}}, {0xF0, {false, true, true}}});
    for (CVarnoDoc* document : m_documents) {
        EXPECT_EQ(DocumentValues(*document)[0xE1], 0x0062) << document->GetTitle();
    }

    table->setCurrentIndex(Model().index(0xE0 - 0x80, 2));
    for (int row = 0; row < 16; ++row) {
        QTest::keyClick(table, Qt::Key_Down);
    }
    QTest::keyClick(table, Qt::Key_Return);
    ExpectMarks({{0xE0, {false, true, false}}});
    EXPECT_EQ(DocumentValues(*m_documents[0])[0xF0], 0x0440);

    Command(ID_EDIT_UNDO);
    ExpectMarks({{0xE0, {false, true, false}}, {0xF0, {false, true, true}}});
    Command(ID_EDIT_UNDO);
    ExpectMarks(kSystemMarks);
    EXPECT_TRUE(ApplicationEditHistory().UndoText().isEmpty());
}
