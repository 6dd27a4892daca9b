#include "frames/StandardIcons.h"

#include <QApplication>
#include <QIcon>
#include <QProxyStyle>

#include <map>

namespace {

class StandardIconCache : public QProxyStyle {
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

void KeepStandardIcons()
{
    if (dynamic_cast<StandardIconCache*>(QApplication::style()) == nullptr) {
        QApplication::setStyle(new StandardIconCache);
    }
}
