#include "ExportCommandLine.h"

#include "CommandLineOptions.h"
#include "EvidenceExport.h"
#include "ExportMessages.h"
#include "PlayerApi.h"
#include "PlayerExport.h"
#include "VerifyFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

#include <csignal>
#include <cstring>

namespace ExportCommandLine {

namespace {

// Set by SIGINT and SIGTERM; the export then cancels and cleans up.
volatile std::sig_atomic_t g_interrupted = 0;

void interrupt(int) { g_interrupted = 1; }

int fail(int status, const QString& message)
{
    QTextStream(stderr) << "KvPlayer: " << message << Qt::endl;
    return status;
}

int exitFor(ExportError error)
{
    switch (error) {
    case ExportError::None: return ExitOk;
    case ExportError::NoSources: return ExitUsage;
    case ExportError::InAfterOut:
    case ExportError::OutsideFiles: return ExitSpan;
    case ExportError::ReadFailed: return ExitUnreadable;
    case ExportError::Unwritable:
    case ExportError::WriteFailed:
    case ExportError::VerifyFailed: return ExitUnwritable;
    case ExportError::Cancelled: return ExitMismatch;
    }
    return ExitUnwritable;
}

int verify(const CommandLineOptions::Verify& options)
{
    if (!QFileInfo::exists(QDir(options.folder).filePath(QString::fromLatin1(VerifyFolder::kManifest))))
        return fail(ExitUsage, QStringLiteral("%1 holds no %2").arg(options.folder, QString::fromLatin1(VerifyFolder::kManifest)));
    const VerifyFolder::Report report = VerifyFolder::verify(options.folder);
    QTextStream out(stdout);
    for (const QString& line : VerifyFolder::text(report))
        out << line << Qt::endl;
    return report.allMatch() ? ExitOk : ExitMismatch;
}

// The request, or an exit status with its message already printed.
int buildRequest(const CommandLineOptions::Export& options, ExportRequest& request)
{
    uint64_t firstStart = 0;
    if (CommandLineOptions::isRelative(options.in) || CommandLineOptions::isRelative(options.out)) {
        PlayerExport::FileFacts facts;
        if (!PlayerExport::readFacts(options.files.first(), facts))
            return fail(ExitUnreadable, QStringLiteral("%1 is not a readable recording").arg(options.files.first()));
        firstStart = facts.start;
    }
    const std::optional<uint64_t> in = CommandLineOptions::parseTime(options.in, firstStart);
    const std::optional<uint64_t> out = CommandLineOptions::parseTime(options.out, firstStart);
    for (const auto& [value, text] : {std::pair{in, options.in}, std::pair{out, options.out}}) {
        if (!value)
            return fail(ExitUsage, QStringLiteral("unknown time \"%1\": give an ISO 8601 recording time "
                                                  "(2025-03-14T09:26:53) or seconds into the first file (90s)")
                                       .arg(text));
    }
    request.in = *in;
    request.out = *out;
    request.note = options.note;
    request.parentFolder = QDir(options.to).absolutePath();
    int window = 0;
    for (const QString& file : options.files)
        request.sources.append({++window, QFileInfo(file).absoluteFilePath()});
    return ExitOk;
}

int exportSpan(const CommandLineOptions::Export& options)
{
    ExportRequest request;
    if (const int status = buildRequest(options, request); status != ExitOk)
        return status;
    std::signal(SIGINT, interrupt);
    std::signal(SIGTERM, interrupt);
    EvidenceExport job(request);
    const ExportOutcome outcome = job.run([&job](qint64, qint64) {
        if (g_interrupted)
            job.cancel();
    });
    if (outcome.error != ExportError::None) {
        const QString detail = outcome.detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(outcome.detail);
        return fail(exitFor(outcome.error), ExportMessages::englishText(outcome.error) + detail);
    }
    QTextStream(stdout) << outcome.folder << Qt::endl;
    return ExitOk;
}

}

bool handles(int argc, char** argv)
{
    return argc >= 2 && (std::strcmp(argv[1], "--verify") == 0 || std::strcmp(argv[1], "--export") == 0);
}

int run(int argc, char** argv)
{
    // The report's fonts and pictures need the toolkit, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const CommandLineOptions::Parsed parsed = CommandLineOptions::parse(app.arguments().mid(1));
    int status = ExitUsage;
    if (parsed.verify)
        status = verify(*parsed.verify);
    else if (parsed.exportSpan)
        status = exportSpan(*parsed.exportSpan);
    else
        fail(ExitUsage, parsed.error);
    PlayerApi::ReleaseLibrary();
    return status;
}

}
