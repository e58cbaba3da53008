#pragma once

#include <QFrame>
#include <QString>

class QLabel;
class QTimer;

// The program's top-level window. For now it carries the title, the play list
// heading and the start-up and hand-over entry points; the video screen, the
// play list and the controls are added to it as they are built.
class window_main : public QFrame
{
    Q_OBJECT

public:
    explicit window_main(QWidget* parent = nullptr);
    ~window_main() override;

    void LoadRecordFiles();
    void SetStartupFile(const QString& file);
    QString startupFile() const { return m_startupFile; }

    // Re-reads every interface text from the language table.
    void ApplyTexts();

public slots:
    void handleMessage(const QString& text);

private slots:
    void OnVideoPlayTimerOut();

private:
    void openFile(const QString& file);

    QLabel* m_pTitleLabel = nullptr;
    QLabel* m_pListHeading = nullptr;
    QLabel* m_pOpenedFile = nullptr;
    QString m_startupFile;
    QTimer* m_startupTimer = nullptr;
};
