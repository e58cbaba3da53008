#pragma once

#include <QFrame>

class QLabel;
class QToolButton;

// The about box: the program's picture, its name and version, and the
// libraries it is built on with their licences. Its texts are set once; a
// language change does not reach it.
class Widget_About : public QFrame
{
    Q_OBJECT

public:
    explicit Widget_About(QWidget* parent = nullptr);

    QString versionText() const;
    QString creditText() const;
    QToolButton* closeButton() const { return m_pBtnClose; }

public slots:
    void OnCloseClicked();

private:
    QLayout* buildCloseRow();
    QLayout* centred(QWidget* widget);

    QToolButton* m_pBtnClose = nullptr;
    QLabel* m_pLabIcon = nullptr;
    QLabel* m_pLabVersion = nullptr;
    QLabel* m_pLabelInfo = nullptr;
};
