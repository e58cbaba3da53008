#include "EvidenceActions.h"

#include "ExportDialog.h"
#include "ExportMessages.h"
#include "ExportRunner.h"
#include "KvVideoScreen.h"
#include "Model_Customize.h"
#include "Model_Language.h"
#include "PreviewVideoFrame.h"
#include "SpanMarks.h"
#include "VideoScreenMenu.h"

#include <QAction>
#include <QWidget>

namespace {

constexpr int kSliderRange = 10000;
constexpr int kMarkFirstText = 99;
constexpr int kMessageNotice = 0;
constexpr int kFolderNotice = 3;

}

EvidenceActions::EvidenceActions(KvVideoScreen& screen, QWidget& window, QObject* parent)
    : QObject(parent)
    , m_screen(screen)
    , m_marks(new SpanMarks(this))
    , m_runner(new ExportRunner(this))
    , m_dialog(new ExportDialog(&window))
{
    // Their keys (I, O, Ctrl+E) are in the program's shortcut map.
    m_markIn = new QAction(this);
    m_markOut = new QAction(this);
    m_export = new QAction(this);
    connect(m_markIn, &QAction::triggered, this, &EvidenceActions::markIn);
    connect(m_markOut, &QAction::triggered, this, &EvidenceActions::markOut);
    connect(m_export, &QAction::triggered, this, &EvidenceActions::openExport);
    connect(screen.contextMenu()->exportSpan, &QAction::triggered, this, &EvidenceActions::openExport);
    connect(m_marks, &SpanMarks::changed, this, &EvidenceActions::showSliderMarks);
    connect(m_dialog, &ExportDialog::exportRequested, this, &EvidenceActions::startExport);
    connect(m_dialog, &ExportDialog::cancelRequested, m_runner, &ExportRunner::cancel);
    connect(m_runner, &ExportRunner::progressed, m_dialog, &ExportDialog::showProgress);
    connect(m_runner, &ExportRunner::finished, this, &EvidenceActions::exportFinished);
    retranslate();
}

EvidenceActions::~EvidenceActions() = default;

void EvidenceActions::retranslate()
{
    m_markIn->setText(Model_Language::Text(ExportMessages::kMarkInText));
    m_markOut->setText(Model_Language::Text(ExportMessages::kMarkOutText));
    m_export->setText(Model_Language::Text(ExportMessages::kExportText));
    m_dialog->retranslate();
}

void EvidenceActions::markIn()
{
    const PreviewVideoFrame* window = m_screen.selectedVideo();
    if (const uint64_t t = window ? window->playedTime() : 0; t != 0)
        m_marks->setIn(t);
}

void EvidenceActions::markOut()
{
    const PreviewVideoFrame* window = m_screen.selectedVideo();
    if (const uint64_t t = window ? window->playedTime() : 0; t != 0)
        m_marks->setOut(t);
}

void EvidenceActions::followWindow(PreviewVideoFrame* window)
{
    m_followed = window;
    showSliderMarks();
}

void EvidenceActions::showSliderMarks()
{
    const PreviewVideoFrame* w = m_followed;
    const uint64_t start = w && w->isOpen() ? w->recordingStart() : 0;
    const uint64_t length = w && w->isOpen() ? w->recordingLength() : 0;
    emit sliderMarksChanged(SpanMarks::sliderValue(m_marks->in(), start, length, kSliderRange),
                            SpanMarks::sliderValue(m_marks->out(), start, length, kSliderRange));
}

void EvidenceActions::openExport()
{
    if (!m_marks->isComplete()) {
        emit noticeRequested(kMessageNotice, Model_Language::Text(kMarkFirstText));
        return;
    }
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

ExportRequest EvidenceActions::request(const QString& note, bool allWindows) const
{
    ExportRequest request;
    request.in = m_marks->in().value_or(0);
    request.out = m_marks->out().value_or(0);
    request.note = note;
    request.parentFolder = Model_Customize::instance().videoPath();
    QStringList seen;
    for (int i = 0; i < KvVideoScreen::kWindowCount; ++i) {
        const PreviewVideoFrame* window = m_screen.window(i);
        const bool wanted = allWindows || window == m_screen.selectedVideo();
        if (!wanted || !window->isOpen() || seen.contains(window->currentFile()))
            continue;
        seen.append(window->currentFile());
        request.sources.append({i + 1, window->currentFile()});
    }
    return request;
}

void EvidenceActions::startExport(const QString& note, bool allWindows)
{
    if (m_runner->start(request(note, allWindows)))
        m_dialog->setBusy(true);
}

void EvidenceActions::exportFinished(const ExportOutcome& outcome)
{
    m_dialog->setBusy(false);
    if (outcome.error == ExportError::None) {
        m_dialog->hide();
        emit noticeRequested(kFolderNotice, outcome.folder);
        return;
    }
    const QString reason = Model_Language::Text(ExportMessages::textIndex(outcome.error));
    emit noticeRequested(kMessageNotice, outcome.error == ExportError::Cancelled
                                             ? reason
                                             : Model_Language::Text(ExportMessages::kFailedPrefix) + u' ' + reason);
}
