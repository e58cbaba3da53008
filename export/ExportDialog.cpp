#include "ExportDialog.h"

#include "Model_Language.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

enum Text {
    TextTitle = 90,
    TextNote = 91,
    TextSelected = 92,
    TextAll = 93,
    TextExport = 94,
    TextCancel = 95,
    TextExporting = 96,
};

constexpr int kProgressSteps = 1000;

}

ExportDialog::ExportDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ExportDialog"));
    auto* column = new QVBoxLayout(this);
    m_noteLabel = new QLabel(this);
    m_note = new QPlainTextEdit(this);
    m_note->setObjectName(QStringLiteral("m_pEdtNote"));
    m_note->setFixedHeight(80);
    m_selected = new QRadioButton(this);
    m_all = new QRadioButton(this);
    m_selected->setChecked(true);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, kProgressSteps);
    m_progress->hide();
    m_export = new QPushButton(this);
    m_export->setDefault(true);
    m_cancel = new QPushButton(this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_export);
    buttons->addWidget(m_cancel);
    for (QWidget* widget : {static_cast<QWidget*>(m_noteLabel), static_cast<QWidget*>(m_note),
                            static_cast<QWidget*>(m_selected), static_cast<QWidget*>(m_all),
                            static_cast<QWidget*>(m_progress)})
        column->addWidget(widget);
    column->addLayout(buttons);
    connect(m_export, &QPushButton::clicked, this, [this] { emit exportRequested(note(), allWindows()); });
    connect(m_cancel, &QPushButton::clicked, this, &ExportDialog::reject);
    retranslate();
}

QString ExportDialog::note() const
{
    return m_note->toPlainText().trimmed();
}

bool ExportDialog::allWindows() const
{
    return m_all->isChecked();
}

void ExportDialog::retranslate()
{
    setWindowTitle(Model_Language::Text(TextTitle));
    m_noteLabel->setText(Model_Language::Text(TextNote));
    m_selected->setText(Model_Language::Text(TextSelected));
    m_all->setText(Model_Language::Text(TextAll));
    m_export->setText(Model_Language::Text(TextExport));
    m_cancel->setText(Model_Language::Text(TextCancel));
    m_progress->setFormat(Model_Language::Text(TextExporting) + QStringLiteral(" %p%"));
}

void ExportDialog::setBusy(bool busy)
{
    m_busy = busy;
    m_note->setEnabled(!busy);
    m_selected->setEnabled(!busy);
    m_all->setEnabled(!busy);
    m_export->setEnabled(!busy);
    m_progress->setVisible(busy);
    m_progress->setValue(0);
}

void ExportDialog::showProgress(qint64 done, qint64 total)
{
    if (total > 0)
        m_progress->setValue(static_cast<int>(done * kProgressSteps / total));
}

void ExportDialog::reject()
{
    if (m_busy) {
        emit cancelRequested();
        return;
    }
    QDialog::reject();
}
