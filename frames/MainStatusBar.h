#pragma once
// The main window's status bar: what a table view describes (the cell under
// the mouse or the keyboard cursor's), else the idle prompt "Ready", and at
// the right a legend of the cells' colours.

#include <QStatusBar>

class MainStatusBar : public QStatusBar {
public:
    explicit MainStatusBar(QWidget* parent);

    // Shows the text until another comes or its source goes; an empty text
    // shows the idle prompt. Menu prompts pass over it as usual.
    void Describe(const QString& text, const QObject* source);

private:
    void OnSourceDestroyed(QObject* source);

    const QObject* m_source = nullptr;
};
