#pragma once
// Answering modal dialogs from tests through their real widgets: typing into
// edit fields, clicking buttons and pressing keys as a user would. Link
// Qt6::Test. Nothing waits on time: QTest delivers every event at once.

#include "platform/CDialog.h"
#include "platform/Display.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <utility>

// Answers every modal dialog shown while it lives, once the dialog is shown,
// active and initialised, as a user would see it; the previous answer comes
// back afterwards. It watches the application for the windows of CDialog
// objects as they are shown. A dialog that the answer leaves open fails the
// test and is ended with -1 instead of hanging it.
class DialogAnswer {
public:
    explicit DialogAnswer(std::function<void(CDialog&)> answer) : m_answer(std::move(answer)), m_previous(Current())
    {
        Current() = this;
        AfxEnsureGuiApplication()->installEventFilter(&m_watcher);
    }
    ~DialogAnswer()
    {
        QCoreApplication::instance()->removeEventFilter(&m_watcher);
        Current() = m_previous;
    }
    DialogAnswer(const DialogAnswer&) = delete;
    DialogAnswer& operator=(const DialogAnswer&) = delete;

    int Shown() const { return m_shown; }

private:
    // The innermost answer alive, the one that answers.
    static DialogAnswer*& Current()
    {
        static DialogAnswer* current = nullptr;
        return current;
    }

    class Watcher : public QObject {
    public:
        explicit Watcher(DialogAnswer& owner) : m_owner(owner) {}
        bool eventFilter(QObject* object, QEvent* event) override
        {
            auto* window = qobject_cast<QDialog*>(object);
            if (event->type() == QEvent::Show && window != nullptr && Current() == &m_owner) {
                // Answered from the dialog's own loop, once it runs.
                QTimer::singleShot(0, this, [this, window = QPointer<QDialog>(window)] { m_owner.Answer(window); });
            }
            return false;
        }

    private:
        DialogAnswer& m_owner;
    };

    void Answer(const QPointer<QDialog>& window)
    {
        auto* dialog = window != nullptr ? dynamic_cast<CDialog*>(CWnd::FromHandle(window)) : nullptr;
        if (dialog == nullptr || !window->isModal()) {
            return;
        }
        // Bounded: a platform that never activates windows still gets its answer.
        static_cast<void>(QTest::qWaitFor([&] { return window == nullptr || window->isActiveWindow(); }, 5000));
        if (window == nullptr) {
            return;
        }
        ++m_shown;
        m_answer(*dialog);
        if (window != nullptr && window->isVisible()) {
            ADD_FAILURE() << "the test left a dialog open";
            dialog->EndDialog(-1);
        }
    }

    std::function<void(CDialog&)> m_answer;
    DialogAnswer* m_previous;
    Watcher m_watcher{*this};
    int m_shown = 0;
};

// Runs dialog.DoModal() with answer called once the dialog is shown.
inline INT_PTR RunAnswering(CDialog& dialog, std::function<void(CDialog&)> answer)
{
    DialogAnswer guard(std::move(answer));
    return dialog.DoModal();
}

// The dialog's control with the id, as the kind of widget asked for; null when there is none.
template <typename Widget = QWidget>
Widget* ControlOf(CDialog& dialog, int id)
{
    QWidget* window = dialog.GetWidget();
    for (QWidget* control : window != nullptr ? window->findChildren<QWidget*>() : QList<QWidget*>()) {
        if (CWnd::GetDlgCtrlID(control) == id) {
            return qobject_cast<Widget*>(control);
        }
    }
    return nullptr;
}

// The id of the control that has the keyboard focus within the running dialog.
inline int FocusedControlId(CDialog& dialog) { return CWnd::GetDlgCtrlID(dialog.GetWidget()->focusWidget()); }

// Clicks into the field, selects what it holds and types text over it.
inline void TypeInto(CDialog& dialog, int id, const QString& text)
{
    QLineEdit* edit = ControlOf<QLineEdit>(dialog, id);
    ASSERT_NE(edit, nullptr) << "no edit field " << id;
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    // QTest spells out ASCII only; other characters come as a key event's text, as from a keyboard layout.
    for (const QChar character : text) {
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }
}

inline void ClickButton(CDialog& dialog, int id)
{
    QAbstractButton* button = ControlOf<QAbstractButton>(dialog, id);
    ASSERT_NE(button, nullptr) << "no button " << id;
    QTest::mouseClick(button, Qt::LeftButton);
}

// A key pressed with the focus where it is.
inline void PressKey(CDialog& dialog, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = dialog.GetWidget()->focusWidget();
    QTest::keyClick(target != nullptr ? target : dialog.GetWidget(), key, modifiers);
}

// Saves the dialog as <VARNO_SCREENSHOT_DIR>/<name>.png when that variable is set.
inline void SaveScreenshot(CDialog& dialog, const char* name)
{
    const char* folder = std::getenv("VARNO_SCREENSHOT_DIR");
    if (folder != nullptr && dialog.GetWidget() != nullptr) {
        dialog.GetWidget()->grab().save(QDir(QString::fromLocal8Bit(folder)).filePath(QString::fromLatin1(name) + ".png"));
    }
}

// What a user needs to read and use the dialog: every control inside the
// window, no two controls (group boxes aside) overlapping, and every text
// whole within its control.
inline void ExpectLegibleLayout(CDialog& dialog)
{
    QWidget* window = dialog.GetWidget();
    ASSERT_NE(window, nullptr);
    const QRect client = window->rect();
    QList<QWidget*> controls;
    for (QWidget* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!control->isVisible()) {
            continue;
        }
        const int id = CWnd::GetDlgCtrlID(control);
        EXPECT_TRUE(client.contains(control->geometry())) << "control " << id << " leaves the window";
        const QFontMetrics metrics = control->fontMetrics();
        if (auto* label = qobject_cast<QLabel*>(control); label != nullptr && !label->text().isEmpty()) {
            // Wrapped where the label wraps, within the label's width.
            const QRect needed = metrics.boundingRect(QRect(0, 0, label->width(), 1 << 16),
                                                      label->wordWrap() ? Qt::TextWordWrap : 0, label->text());
            EXPECT_LE(needed.width(), label->width()) << label->text().toStdString();
            EXPECT_LE(needed.height(), label->height()) << label->text().toStdString();
        } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
            EXPECT_LE(box->sizeHint().width(), box->width()) << box->text().toStdString();
            EXPECT_LE(metrics.height(), box->height()) << box->text().toStdString();
        } else if (auto* push = qobject_cast<QPushButton*>(control)) {
            EXPECT_LE(metrics.horizontalAdvance(push->text()) + 8, push->width()) << push->text().toStdString();
            EXPECT_LE(metrics.height() + 4, push->height()) << push->text().toStdString();
        } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            // Room for the longest value the dialogs show, and a whole line of text.
            EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("FFFF")) + 8, edit->width()) << id;
            EXPECT_LE(metrics.height() + 4, edit->height()) << id;
        }
        if (qobject_cast<QGroupBox*>(control) == nullptr) {
            controls.append(control);
        }
    }
    for (qsizetype i = 0; i < controls.size(); ++i) {
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << "controls " << CWnd::GetDlgCtrlID(controls[i]) << " and " << CWnd::GetDlgCtrlID(controls[j])
                << " overlap";
        }
    }
}
