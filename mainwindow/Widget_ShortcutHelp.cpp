#include "Widget_ShortcutHelp.h"

#include "Model_Language.h"
#include "ShortcutMap.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int kTitleText = 107;
// Two columns of key and text side by side.
constexpr int kRowsPerColumn = 15;

}

Widget_ShortcutHelp::Widget_ShortcutHelp(QWidget* parent)
    : QFrame(parent)
    , m_title(new QLabel(this))
    , m_grid(new QGridLayout)
{
    setObjectName(QStringLiteral("ShortcutHelp"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#ShortcutHelp { background-color: rgba(0, 0, 0, 200); } "
                                 "#ShortcutHelp QLabel { color: white; background: transparent; }"));
    m_title->setAlignment(Qt::AlignCenter);
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    m_title->setFont(titleFont);
    auto* box = new QVBoxLayout(this);
    box->addStretch();
    box->addWidget(m_title);
    box->addSpacing(12);
    box->addLayout(m_grid);
    box->addStretch();
    m_grid->setHorizontalSpacing(18);
    m_grid->setVerticalSpacing(3);
    const QList<ShortcutMap::Entry>& entries = ShortcutMap::table();
    for (int i = 0; i < entries.size(); ++i) {
        auto* keys = new QLabel(this);
        auto* text = new QLabel(this);
        QFont bold = keys->font();
        bold.setBold(true);
        keys->setFont(bold);
        keys->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const int column = (i / kRowsPerColumn) * 2;
        m_grid->addWidget(keys, i % kRowsPerColumn, column);
        m_grid->addWidget(text, i % kRowsPerColumn, column + 1);
        m_rows.append(qMakePair(keys, text));
    }
    m_grid->setColumnStretch(1, 1);
    m_grid->setColumnStretch(3, 1);
    retranslate();
    hide();
}

void Widget_ShortcutHelp::retranslate()
{
    m_title->setText(Model_Language::Text(kTitleText));
    const QList<ShortcutMap::Entry>& entries = ShortcutMap::table();
    for (int i = 0; i < entries.size() && i < m_rows.size(); ++i) {
        m_rows[i].first->setText(ShortcutMap::keyText(entries[i]));
        m_rows[i].second->setText(ShortcutMap::description(entries[i]));
    }
}

QList<QPair<QString, QString>> Widget_ShortcutHelp::rows() const
{
    QList<QPair<QString, QString>> out;
    for (const auto& [keys, text] : m_rows)
        out.append(qMakePair(keys->text(), text->text()));
    return out;
}

void Widget_ShortcutHelp::toggleOver(QWidget* host)
{
    if (!host)
        return;
    if (isVisible() && parentWidget() == host) {
        hide();
        return;
    }
    if (parentWidget() != host) {
        if (parentWidget())
            parentWidget()->removeEventFilter(this);
        setParent(host);
        host->installEventFilter(this);
    }
    setGeometry(host->rect());
    show();
    raise();
}

void Widget_ShortcutHelp::mousePressEvent(QMouseEvent* event)
{
    hide();
    QFrame::mousePressEvent(event);
}

bool Widget_ShortcutHelp::eventFilter(QObject* watched, QEvent* event)
{
    // The host grows and shrinks (full screen, layouts); the list covers it.
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QFrame::eventFilter(watched, event);
}
