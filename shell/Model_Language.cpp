#include "Model_Language.h"

#include "Diagnostics.h"
#include "ProgramInfo.h"

#include <QFile>
#include <QXmlStreamReader>

#include <memory>

namespace {

// GUI thread only, like every user of the texts.
std::unique_ptr<Model_Language> g_table;
std::unique_ptr<Model_Language> g_english;
QString g_fallbackPath;

const Model_Language& english()
{
    if (!g_english) {
        const QString path = g_fallbackPath.isEmpty()
                                 ? ProgramInfo::programDir() + QStringLiteral("/Language/ENU.xml")
                                 : g_fallbackPath;
        g_english = std::make_unique<Model_Language>(path);
    }
    return *g_english;
}

}

void Model_Language::Load(const QString& path)
{
    g_table = std::make_unique<Model_Language>(path);
}

void Model_Language::Reload(const QString& path)
{
    if (!g_table)
        g_table = std::make_unique<Model_Language>();
    g_table->fill(path);
}

QString Model_Language::Text(int index)
{
    if (g_table && index >= 0 && index < g_table->count())
        return g_table->text(index);
    return english().text(index);
}

void Model_Language::Destroy()
{
    g_table.reset();
    g_english.reset();
}

Model_Language* Model_Language::instance()
{
    return g_table.get();
}

void Model_Language::setFallbackPath(const QString& path)
{
    g_fallbackPath = path;
    g_english.reset();
}

Model_Language::Model_Language(const QString& path)
{
    fill(path);
}

void Model_Language::fill(const QString& path)
{
    m_texts.clear();
    m_count = 0;
    KV_DIAG() << "strPath = " << path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    m_texts = parse(file);
    m_count = static_cast<int>(m_texts.size());
}

QStringList Model_Language::parse(QIODevice& device)
{
    QStringList texts;
    QXmlStreamReader reader(&device);
    while (!reader.atEnd() && !reader.hasError()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != u"string")
            continue;
        const QString text = reader.readElementText();
        if (reader.hasError())
            break;
        texts.append(text);
    }
    return texts;
}

QString Model_Language::text(int index) const
{
    if (index < 0 || index >= m_count)
        return {};
    return m_texts.at(index);
}
