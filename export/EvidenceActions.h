#pragma once

#include "ExportTypes.h"

#include <QObject>

class ExportDialog;
class ExportRunner;
class KvVideoScreen;
class PreviewVideoFrame;
class QAction;
class QWidget;
class SpanMarks;

// The reviewer's side of an evidence export: In and Out marks taken from
// the selected window's recording time (keys I and O), and the export of
// the marked span (Ctrl+E, the video screen's menu) through a dialog, for
// the selected window or every window that shows a file, into a folder
// below the clip folder. The export runs off the GUI thread.
class EvidenceActions : public QObject
{
    Q_OBJECT

public:
    // window parents the dialog.
    EvidenceActions(KvVideoScreen& screen, QWidget& window, QObject* parent = nullptr);
    ~EvidenceActions() override;

    SpanMarks& marks() const { return *m_marks; }
    ExportDialog* dialog() const { return m_dialog; }
    ExportRunner& runner() const { return *m_runner; }
    QAction* markInAction() const { return m_markIn; }
    QAction* markOutAction() const { return m_markOut; }
    QAction* exportAction() const { return m_export; }
    // The request an export of the marked span would make now.
    ExportRequest request(const QString& note, bool allWindows) const;

public slots:
    void markIn();
    void markOut();
    void openExport();
    void retranslate();
    // Follows the window whose slider shows the marks.
    void followWindow(PreviewVideoFrame* window);

signals:
    // Slider positions (0..10000) of In and Out in the followed window; -1
    // for a mark it does not show.
    void sliderMarksChanged(int in, int out);
    // kind as the notice popup takes it.
    void noticeRequested(int kind, const QString& text);

private:
    void startExport(const QString& note, bool allWindows);
    void exportFinished(const ExportOutcome& outcome);
    void showSliderMarks();

    KvVideoScreen& m_screen;
    SpanMarks* m_marks = nullptr;
    ExportRunner* m_runner = nullptr;
    ExportDialog* m_dialog = nullptr;
    QAction* m_markIn = nullptr;
    QAction* m_markOut = nullptr;
    QAction* m_export = nullptr;
    PreviewVideoFrame* m_followed = nullptr;
};
