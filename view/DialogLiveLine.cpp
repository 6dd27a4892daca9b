#include "view/DialogLiveLine.h"

#include "platform/CDialog.h"

#include <QLabel>
#include <QLineEdit>

void AddLiveLine(CDialog& dialog, std::initializer_list<const CWnd*> fields, int lines,
                 std::function<LiveLineState()> update)
{
    QWidget* window = dialog.GetWidget();
    if (window == nullptr) {
        return;
    }
    // The template's controls: their extent, and the OK button among them.
    QRect controls;
    QWidget* ok = nullptr;
    for (QWidget* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        controls |= control->geometry();
        if (CWnd::GetDlgCtrlID(control) == IDOK) {
            ok = control;
        }
    }
    // As far below the controls as they stand from the window's left edge.
    const int margin = controls.left();
    auto* line = new QLabel(window);
    line->setObjectName(QStringLiteral("liveLine"));
    line->setTextFormat(Qt::PlainText);
    line->setWordWrap(true);
    line->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    line->setGeometry(controls.left(), controls.bottom() + 1 + margin, controls.width(),
                      lines * line->fontMetrics().lineSpacing());
    line->show();
    window->setFixedHeight(line->geometry().bottom() + 1 + margin);

    auto refresh = [line, ok, update = std::move(update)] {
        const LiveLineState state = update();
        line->setText(state.text);
        if (ok != nullptr) {
            ok->setEnabled(state.acceptable);
        }
    };
    for (const CWnd* field : fields) {
        if (auto* edit = qobject_cast<QLineEdit*>(field->GetWidget())) {
            QObject::connect(edit, &QLineEdit::textChanged, line, refresh);
        }
    }
    refresh();
}
