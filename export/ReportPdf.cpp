#include "ReportPdf.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

namespace ReportPdf {

namespace {

constexpr int kResolution = 200;

QString row(const QString& caption, const QString& value)
{
    return QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(caption.toHtmlEscaped(), value.toHtmlEscaped());
}

QString hashRow(const QString& caption, const QByteArray& hash)
{
    return QStringLiteral("<tr><td><b>%1</b></td><td><tt>%2</tt></td></tr>")
        .arg(caption.toHtmlEscaped(), QString::fromLatin1(hash));
}

QString sourceRows(const ManifestSource& source)
{
    return row(QStringLiteral("Source file"), source.file.name) +
           row(QStringLiteral("Source size"), QStringLiteral("%1 bytes").arg(source.file.size)) +
           hashRow(QStringLiteral("Source SHA-256"), source.file.sha256) + row(QStringLiteral("MAC"), source.mac) +
           row(QStringLiteral("Serial number"), source.serial) +
           row(QStringLiteral("Channel"), QString::number(source.channel)) +
           row(QStringLiteral("Device type"), source.deviceType) +
           row(QStringLiteral("Recording time from"), ManifestJson::timeSourceName(source.timeSource)) +
           row(QStringLiteral("Recording"), ManifestJson::timeText(source.start) + QStringLiteral(" to ") +
                                                ManifestJson::timeText(source.end));
}

QString outputRows(const ManifestOutput& output)
{
    const QString codecs = output.audioCodec.isEmpty() ? output.videoCodec
                                                       : output.videoCodec + QStringLiteral(" + ") + output.audioCodec;
    return row(QStringLiteral("Copy"), output.file.name) +
           row(QStringLiteral("Copy size"), QStringLiteral("%1 bytes").arg(output.file.size)) +
           hashRow(QStringLiteral("Copy SHA-256"), output.file.sha256) +
           row(QStringLiteral("Container and codecs"), output.container + QStringLiteral(": ") + codecs) +
           row(QStringLiteral("In"), ManifestJson::timeText(output.in)) +
           row(QStringLiteral("Out"), ManifestJson::timeText(output.out)) +
           row(QStringLiteral("First picture in the copy"), ManifestJson::timeText(output.first)) +
           row(QStringLiteral("Last picture in the copy"), ManifestJson::timeText(output.last)) +
           row(QStringLiteral("Snapshot at In"), output.snapshot.name) +
           hashRow(QStringLiteral("Snapshot SHA-256"), output.snapshot.sha256);
}

QString pageHtml(const Manifest& manifest, const ManifestSource& source, const ManifestOutput& output,
                 const QByteArray& manifestSha256, int pictureWidth)
{
    const QString head = QStringLiteral("<h2>%1 %2: window %3</h2><p>Exported %4 UTC</p>")
                             .arg(manifest.program.toHtmlEscaped(), manifest.version.toHtmlEscaped())
                             .arg(output.window)
                             .arg(manifest.exported.toUTC().toString(Qt::ISODate));
    const QString note = manifest.note.isEmpty()
                             ? QString()
                             : QStringLiteral("<p><b>Note:</b> %1</p>").arg(manifest.note.toHtmlEscaped());
    const QString picture = QStringLiteral("<p><img src=\"snapshot:%1\" width=\"%2\"></p>")
                                .arg(output.window)
                                .arg(pictureWidth);
    return head + note + picture + QStringLiteral("<table cellpadding=\"3\">") + sourceRows(source) +
           outputRows(output) + hashRow(QStringLiteral("manifest.json SHA-256"), manifestSha256) +
           QStringLiteral("</table>");
}

const ManifestSource* sourceOf(const Manifest& manifest, int window)
{
    for (const ManifestSource& source : manifest.sources) {
        if (source.window == window)
            return &source;
    }
    return nullptr;
}

// Image widths in a document are counted at the toolkit's default 96 dpi
// and scaled up to the device's resolution: half the page wide.
int pictureWidth(const QPdfWriter& writer)
{
    constexpr int kDefaultDpi = 96;
    return writer.width() * kDefaultDpi / (2 * writer.logicalDpiX());
}

void drawPage(QPainter& painter, QPdfWriter& writer, const QString& html, const QImage& picture, int window)
{
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&writer);
    document.setPageSize(QSizeF(writer.width(), writer.height()));
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("snapshot:%1").arg(window)), picture);
    document.setHtml(html);
    document.drawContents(&painter);
}

}

bool write(const QString& path, const Manifest& manifest, const QString& folder, const QByteArray& manifestSha256)
{
    QPdfWriter writer(path);
    writer.setResolution(kResolution);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setTitle(manifest.program + QStringLiteral(" export ") + ManifestJson::timeText(manifest.in));
    writer.setCreator(manifest.program + u' ' + manifest.version);
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const QDir dir(folder);
    bool first = true;
    for (const ManifestOutput& output : manifest.outputs) {
        const ManifestSource* source = sourceOf(manifest, output.window);
        if (!source)
            continue;
        if (!first && !writer.newPage())
            return false;
        first = false;
        const QImage picture(dir.filePath(output.snapshot.name));
        const QString html = pageHtml(manifest, *source, output, manifestSha256, pictureWidth(writer));
        drawPage(painter, writer, html, picture, output.window);
    }
    return painter.end();
}

bool looksComplete(const QByteArray& data)
{
    return data.startsWith("%PDF-") && data.trimmed().endsWith("%%EOF");
}

}
