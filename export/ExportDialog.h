#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

// Asks for the operator's note and which windows to export, then shows the
// export's progress with a Cancel button. Passive: it only reports what the
// user asked for.
class ExportDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ExportDialog(QWidget* parent = nullptr);

    QString note() const;
    bool allWindows() const;
    bool isBusy() const { return m_busy; }
    QPushButton* exportButton() const { return m_export; }
    QPushButton* cancelButton() const { return m_cancel; }
    QProgressBar* progressBar() const { return m_progress; }

    void retranslate();

public slots:
    // While busy the choices are locked and Cancel stops the export.
    void setBusy(bool busy);
    void showProgress(qint64 done, qint64 total);

signals:
    void exportRequested(const QString& note, bool allWindows);
    void cancelRequested();

protected:
    void reject() override;

private:
    QLabel* m_noteLabel = nullptr;
    QPlainTextEdit* m_note = nullptr;
    QRadioButton* m_selected = nullptr;
    QRadioButton* m_all = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_cancel = nullptr;
    bool m_busy = false;
};
