#include "frames/QuickWindowStyle.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QProxyStyle>

#include <map>

namespace {

class QuickWindowStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override
    {
        if (option != nullptr) {
            return QProxyStyle::standardIcon(icon, option, widget);
        }
        auto [entry, added] = m_icons.try_emplace(icon);
        if (added) {
            entry->second = QProxyStyle::standardIcon(icon, option, widget);
        }
        return entry->second;
    }

private:
    mutable std::map<StandardPixmap, QIcon> m_icons;
};

} // namespace

void UseQuickWindowStyle()
{
    if (dynamic_cast<QuickWindowStyle*>(QApplication::style()) != nullptr) {
        return;
    }
    QApplication::setStyle(new QuickWindowStyle);
    QFont titles = QApplication::font("QMdiSubWindowTitleBar");
    titles.setKerning(false);
    titles.setStyleStrategy(QFont::PreferNoShaping);
    QApplication::setFont(titles, "QMdiSubWindowTitleBar");
}
