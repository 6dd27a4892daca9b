// The yardstick for the editor's start-up: a bare Qt program that opens a main
// window, paints 128 texts in it and ends once that paint has reached the
// screen, as varno_startup_probe does.
#include <QApplication>
#include <QMainWindow>
#include <QPainter>
#include <QTimer>

namespace {

class TextWindow : public QMainWindow {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        for (int i = 0; i < 128; ++i) {
            painter.drawText(75 + (i % 8) * 115, 30 + (i / 8) * 20, QStringLiteral("%1=%2").arg(QChar(0x0400 + i)).arg(i, 4, 16, QChar(u'0')));
        }
        if (!m_painted) {
            m_painted = true;
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
    }

private:
    bool m_painted = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TextWindow window;
    window.resize(1000, 360);
    window.show();
    return QApplication::exec();
}
