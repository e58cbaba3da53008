#pragma once

#include <QFrame>
#include <QList>
#include <QPoint>

#include <memory>

class QAction;
class QHBoxLayout;
class QLabel;
class QMenu;
class QToolButton;
class Widget_About;
class Widget_Settings;
struct TitleRules;

// The frameless main window's own title bar: brand logo and title, the
// application menu (languages, settings, about) and the minimise, maximise and
// close buttons. It moves and maximises nothing itself: drags and double
// clicks become requests that the main window carries out, a language
// choice is reported by its position among the offered languages, and the
// settings window's OK and Apply are passed on as refreshSettings().
class Widget_TitleBar : public QFrame
{
    Q_OBJECT

public:
    explicit Widget_TitleBar(QWidget* parent = nullptr);
    ~Widget_TitleBar() override;

    // Re-reads the menu texts from the language table.
    void ApplyTexts();

    QToolButton* minimizeButton() const { return m_pBtnMin; }
    QToolButton* maximizeButton() const { return m_pBtnMax; }
    QToolButton* closeButton() const { return m_pBtnClose; }
    QToolButton* menuButton() const { return m_pBtnMenu; }
    QLabel* titleLabel() const { return m_pLabTitle; }
    QLabel* logoLabel() const { return m_pLabLogo; }
    QMenu* applicationMenu() const { return m_pMenu; }
    QMenu* languageMenu() const { return m_pLanguageMenu; }
    QAction* languageAction() const { return m_pActLanguage; }
    QAction* settingsAction() const { return m_pActSettings; }
    QAction* aboutAction() const { return m_pActAbout; }
    const QList<QAction*>& languageActions() const { return m_languageActions; }
    Widget_About* aboutBox() const { return m_about.get(); }
    // Null until the settings entry is first chosen.
    Widget_Settings* settingsWindow() const { return m_settings.get(); }

signals:
    void moveWindowRequest(QPoint delta);
    void maxWindowRequest();
    void refreshSettings();
    void ChangeLanguageRequest(int position);

public slots:
    void OnMenuBtnClicked();
    void ChangeLanguage(QAction* action);
    void ShowSettingsWindow();
    void ShowAboutWindow();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void createAboutBox();
    void createTitle(const TitleRules& rules);
    void createButtons();
    void createMenus();
    void layOut(int leadingSpace);
    QToolButton* makeButton(const QString& objectName, const QString& sheet);

    QLabel* m_pLabLogo = nullptr;
    QLabel* m_pLabTitle = nullptr;
    QToolButton* m_pBtnMin = nullptr;
    QToolButton* m_pBtnMax = nullptr;
    QToolButton* m_pBtnClose = nullptr;
    QToolButton* m_pBtnMenu = nullptr;
    QMenu* m_pMenu = nullptr;
    QMenu* m_pLanguageMenu = nullptr;
    QAction* m_pActLanguage = nullptr;
    QAction* m_pActSettings = nullptr;
    QAction* m_pActAbout = nullptr;
    QList<QAction*> m_languageActions;
    bool m_dragging = false;
    QPoint m_lastMousePos;
    std::unique_ptr<Widget_About> m_about;
    std::unique_ptr<Widget_Settings> m_settings;
};
