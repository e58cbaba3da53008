#pragma once

#include <QFrame>

class QGridLayout;
class QLabel;

// The list of every shortcut, in the current language, laid over the video
// screen (so that it shows in full screen too). A click or F1 hides it.
class Widget_ShortcutHelp : public QFrame
{
    Q_OBJECT

public:
    explicit Widget_ShortcutHelp(QWidget* parent = nullptr);

    // Shows the list over host, or hides it when it is shown there already.
    void toggleOver(QWidget* host);
    // Re-reads the texts from the language table.
    void retranslate();
    // Rows as shown: key text, then description.
    QList<QPair<QString, QString>> rows() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_title = nullptr;
    QGridLayout* m_grid = nullptr;
    QList<QPair<QLabel*, QLabel*>> m_rows;
};
