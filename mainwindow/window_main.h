#pragma once

#include <QFrame>
#include <QString>

class KvVideoScreen;
class QLabel;
class QStackedWidget;
class QTimer;

// The program's top-level window. For now it holds the title, a start page and
// the video screen, and takes the start-up file and second-start hand-overs;
// the play list and the controls are added as they are built.
class window_main : public QFrame
{
    Q_OBJECT

public:
    explicit window_main(QWidget* parent = nullptr);
    ~window_main() override;

    void LoadRecordFiles();
    void SetStartupFile(const QString& file);
    QString startupFile() const { return m_startupFile; }
    KvVideoScreen* videoScreen() const { return m_pVideoScreen; }

    // Re-reads every interface text from the language table.
    void ApplyTexts();

public slots:
    void handleMessage(const QString& text);

private slots:
    void OnVideoPlayTimerOut();

private:
    void playFile(const QString& file);

    QLabel* m_pTitleLabel = nullptr;
    QLabel* m_pListHeading = nullptr;
    QStackedWidget* m_pStack = nullptr;
    KvVideoScreen* m_pVideoScreen = nullptr;
    QString m_startupFile;
    QTimer* m_startupTimer = nullptr;
};
