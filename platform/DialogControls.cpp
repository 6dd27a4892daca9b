#include "platform/DialogControls.h"

#include "platform/CWnd.h"
#include "platform/FontConversion.h"
#include "platform/ResourceIcons.h"

#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace {
// The window system's MulDiv for the positive values of dialog units: a * b / c rounded half up.
int MulDiv(int a, int b, int c) { return (a * b + c / 2) / c; }

QWidget* CreateControl(QDialog& window, const AfxDialogItem& item, QRect& geometry)
{
    const QString text = QString::fromUtf8(item.text);
    switch (item.kind) {
    case AfxControlKind::Edit: return new QLineEdit(&window);
    case AfxControlKind::PushButton:
    case AfxControlKind::DefPushButton: {
        auto* push = new QPushButton(text, &window);
        push->setAutoDefault(true);
        push->setDefault(item.kind == AfxControlKind::DefPushButton);
        return push;
    }
    case AfxControlKind::AutoCheckBox: return new QCheckBox(text, &window);
    case AfxControlKind::StaticLeft:
    case AfxControlKind::StaticRight: {
        auto* label = new QLabel(text, &window);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (item.kind == AfxControlKind::StaticRight) {
            label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        }
        return label;
    }
    case AfxControlKind::GroupBox: {
        auto* group = new QGroupBox(text, &window);
        // It encloses other controls: keep it beneath them and out of their clicks.
        group->setAttribute(Qt::WA_TransparentForMouseEvents);
        group->lower();
        return group;
    }
    case AfxControlKind::Icon: {
        // An icon control takes the size of its image.
        auto* label = new QLabel(&window);
        const QPixmap image(AfxIconPath(item.iconId, 32));
        label->setPixmap(image);
        geometry.setSize(image.size());
        return label;
    }
    }
    return nullptr;
}
} // namespace

QWidget* AfxBuildDialogControls(QDialog& window, const AfxDialogTemplate& dialogTemplate)
{
    window.setWindowTitle(QString::fromUtf8(dialogTemplate.caption));
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint);
    QFont font;
    font.setFamilies({QString::fromUtf8(dialogTemplate.fontFace), AfxFallbackFontFamily()});
    font.setPointSize(dialogTemplate.pointSize);
    window.setFont(font);
    // Dialog base units measured as the window system does: the average width of
    // the 52 letters, rounded, and the character cell height.
    const QFontMetrics metrics(font);
    const int alphabet = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const QSize base(std::max(1, (alphabet / 26 + 1) / 2), std::max(1, metrics.height()));
    auto rect = [&](int x, int y, int cx, int cy) {
        return QRect(MulDiv(x, base.width(), 4), MulDiv(y, base.height(), 8), MulDiv(cx, base.width(), 4),
                     MulDiv(cy, base.height(), 8));
    };
    window.setFixedSize(rect(0, 0, dialogTemplate.cx, dialogTemplate.cy).size());

    // Tab visits the controls in the order they are made, which is template order.
    QWidget* firstTabStop = nullptr;
    for (const AfxDialogItem& item : dialogTemplate.items) {
        QRect geometry = rect(item.x, item.y, item.cx, item.cy);
        QWidget* control = CreateControl(window, item, geometry);
        control->setGeometry(geometry);
        CWnd::SetDlgCtrlID(control, item.id);
        const bool isTabStop = (item.style & WS_TABSTOP) != 0;
        if (isTabStop && firstTabStop == nullptr) {
            firstTabStop = control;
        }
    }
    return firstTabStop;
}
