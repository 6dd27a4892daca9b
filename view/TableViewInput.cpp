#include "view/TableViewInput.h"

#include "document/CVarnoDoc.h"
#include "tables/CKeyboardHandler.h"
#include "view/CVarnoView.h"
#include "view/CellFocusFrame.h"
#include "view/ClickEditing.h"
#include "view/DisplayFont.h"
#include "view/EntryDescription.h"
#include "view/GridNavigation.h"
#include "view/MatchMarks.h"
#include "view/TableLayout.h"
#include "view/TableViewHost.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolTip>

namespace {
// The cells of a view's table: the bytes 0x80-0xFF in 16 rows of 8, or the 14 keys in one row.
struct Cells {
    CVarnoView* view = nullptr;
    CVarnoDoc* doc = nullptr;
    RECT area{};
    bool keys = false;
    int first = 0;
    int count = 0;
    int columns = 1;

    RECT Box(int cell) const { return keys ? GetKeyColumnBox(area, cell) : GetCharCellBox(area, first + cell); }
    int At(QPoint point) const
    {
        if (count == 0) {
            return -1;
        }
        const POINT at{point.x(), point.y()};
        const int hit = keys ? HitTestKey(area, at) : HitTestChar(area, at);
        return hit == kNoHit ? -1 : hit - first;
    }
    QStringList Describe(int cell) const
    {
        return cell >= 0 && cell < count ? DescribeEntry(*doc, first + cell, DisplayCodePage()) : QStringList();
    }
};

// Looked up at each event: the view may have gone before its window.
Cells CellsOf(QWidget* window)
{
    Cells cells;
    cells.view = DYNAMIC_DOWNCAST(CVarnoView, CWnd::FromHandle(window));
    cells.doc = cells.view != nullptr ? cells.view->GetDocument() : nullptr;
    if (cells.doc == nullptr || cells.doc->m_pHandler == nullptr) {
        return cells;
    }
    cells.area = cells.view->GetClientTableArea();
    if (cells.doc->m_nKind == CVarnoDoc::kindKeyboard) {
        cells.keys = true;
        cells.count = CKeyboardHandler::kKeyCount;
        cells.columns = CKeyboardHandler::kKeyCount;
    } else if (CVarnoDoc::IsCodePageKind(cells.doc->m_nKind)) {
        cells.first = 0x80;
        cells.count = 0x80;
        cells.columns = 8;
    }
    return cells;
}

QRect ToQRect(const RECT& rect) { return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1)); }

// The input of the view that has the focus, when that is another view's window.
TableViewInput* FocusedViewInput(const QWidget* except)
{
    QWidget* focused = QApplication::focusWidget();
    if (focused == nullptr || focused == except) {
        return nullptr;
    }
    for (QObject* child : focused->children()) {
        if (auto* input = dynamic_cast<TableViewInput*>(child)) {
            return input;
        }
    }
    return nullptr;
}
} // namespace

TableViewInput::TableViewInput(QWidget* window, QWidget* client)
    : QObject(window), m_window(window), m_client(client), m_frame(new CellFocusFrame(client)),
      m_marks(new MatchMarks(client))
{
    // The cursor's frame lies over a match's mark.
    m_frame->raise();
    window->setFocusPolicy(Qt::StrongFocus);
    client->setMouseTracking(true);
    window->installEventFilter(this);
    client->installEventFilter(this);
}

void TableViewInput::Refresh()
{
    m_note.clear();
    PlaceFrame();
    if (m_hovered >= 0 || HoldsWindowFocus()) {
        Describe();
    }
}

int TableViewInput::CursorEntry() const { return CellsOf(m_window).first + m_cursor; }

void TableViewInput::MoveCursorTo(int entry)
{
    const Cells cells = CellsOf(m_window);
    const int cell = entry - cells.first;
    if (cell < 0 || cell >= cells.count) {
        return;
    }
    m_cursor = cell;
    m_note.clear();
    // The keyboard's cell is the one described now, wherever the mouse rests.
    m_hovered = -1;
    cells.view->ScrollIntoView(cells.Box(m_cursor));
    PlaceFrame();
    Describe();
}

void TableViewInput::Say(const QString& text)
{
    m_note = text;
    ShowInStatusBar(text);
}

void TableViewInput::ShowInStatusBar(const QString& text)
{
    if (TableViewHost* host = TableViewHost::OfMainWindow()) {
        host->SetMessageText(text, m_window);
    }
}

bool TableViewInput::IsCurrentWindow() const
{
    for (QWidget* parent = m_window->parentWidget(); parent != nullptr; parent = parent->parentWidget()) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(parent)) {
            return frame->mdiArea() == nullptr || frame->mdiArea()->currentSubWindow() == frame;
        }
    }
    return true;
}

bool TableViewInput::HoldsWindowFocus() const { return m_window->window()->focusWidget() == m_window; }

bool TableViewInput::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window) {
        return OnWindowEvent(*event);
    }
    if (watched == m_client) {
        return OnClientEvent(*event);
    }
    return false;
}

bool TableViewInput::OnWindowEvent(QEvent& event)
{
    switch (event.type()) {
    case QEvent::KeyPress: return OnKeyPress(static_cast<QKeyEvent&>(event));
    case QEvent::FocusIn:
        // The document window is made the current one only after its view has the focus.
        m_activatingClick = static_cast<QFocusEvent&>(event).reason() == Qt::MouseFocusReason && !IsCurrentWindow();
        // The press comes within the same event as the focus, if it comes to the table at all.
        QMetaObject::invokeMethod(this, [this] { m_activatingClick = false; }, Qt::QueuedConnection);
        PlaceFrame();
        Describe();
        return false;
    case QEvent::FocusOut: PlaceFrame(); return false;
    default: return false;
    }
}

bool TableViewInput::OnClientEvent(QEvent& event)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress:
        // Kept from the view, which would edit the cell.
        return !OnMousePress(static_cast<QMouseEvent&>(event));
    case QEvent::MouseMove: {
        // Only another cell is described, so that what the status bar says for this one stays.
        const int hovered = CellsOf(m_window).At(static_cast<QMouseEvent&>(event).position().toPoint());
        if (hovered != m_hovered) {
            m_hovered = hovered;
            Describe();
        }
        return false;
    }
    case QEvent::Leave:
        m_hovered = -1;
        Describe();
        return false;
    case QEvent::Resize: PlaceFrame(); return false;
    case QEvent::ToolTip: ShowToolTip(static_cast<QHelpEvent&>(event)); return true;
    default: return false;
    }
}

bool TableViewInput::OnKeyPress(const QKeyEvent& key)
{
    const Cells cells = CellsOf(m_window);
    if (cells.count == 0) {
        return false;
    }
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_F2) {
        // Just inside the cell's corner, where a click on the cell lands.
        const RECT box = cells.Box(m_cursor);
        EditAtPoint(*cells.view, POINT{box.left + 1, box.top + 1});
        return true;
    }
    const int moved
        = MoveInGrid(m_cursor, cells.count, cells.columns, key.key(), key.modifiers() & Qt::ControlModifier);
    if (moved < 0) {
        return false;
    }
    MoveCursorTo(cells.first + moved);
    return true;
}

bool TableViewInput::OnMousePress(const QMouseEvent& press)
{
    if (m_activatingClick) {
        m_activatingClick = false;
        return false;
    }
    const int cell = CellsOf(m_window).At(press.position().toPoint());
    if (press.button() == Qt::LeftButton && cell >= 0) {
        m_cursor = cell;
        m_note.clear();
        PlaceFrame();
    }
    return true;
}

void TableViewInput::ShowToolTip(QHelpEvent& help)
{
    const Cells cells = CellsOf(m_window);
    const int cell = cells.At(help.pos());
    QStringList parts = cells.Describe(cell);
    if (parts.isEmpty()) {
        QToolTip::hideText();
        help.ignore();
        return;
    }
    if (cells.keys) {
        parts << KeyBytesNote(DisplayCodePage());
    }
    QToolTip::showText(help.globalPos(), parts.join(QLatin1Char('\n')), m_client, ToQRect(cells.Box(cell)));
}

void TableViewInput::PlaceFrame()
{
    const Cells cells = CellsOf(m_window);
    m_marks->Lay(cells.doc, [&cells](int entry) { return ToQRect(cells.Box(entry - cells.first)); });
    if (cells.count == 0) {
        m_frame->hide();
        return;
    }
    m_frame->setGeometry(ToQRect(cells.Box(m_cursor)));
    m_frame->setVisible(m_window->hasFocus());
}

void TableViewInput::Describe()
{
    int cell = m_hovered;
    if (cell < 0 && HoldsWindowFocus()) {
        cell = m_cursor;
    }
    if (cell < 0) {
        if (TableViewInput* focused = FocusedViewInput(m_window)) {
            focused->Describe();
            return;
        }
    }
    if (cell == m_cursor && !m_note.isEmpty()) {
        ShowInStatusBar(m_note);
        return;
    }
    ShowInStatusBar(CellsOf(m_window).Describe(cell).join(QStringLiteral(" · ")));
}
