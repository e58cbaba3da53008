#include "CommandLineOptions.h"

#include <QDateTime>

#include <cmath>

namespace CommandLineOptions {

namespace {

constexpr double kUsPerSecond = 1e6;
constexpr double kLongestOffsetSeconds = 1e9;

Parsed failed(const QString& error)
{
    Parsed parsed;
    parsed.error = error;
    return parsed;
}

// Fills the option's value from the next argument; false when there is none.
bool takeValue(const QStringList& arguments, qsizetype& i, QString& value)
{
    if (i + 1 >= arguments.size())
        return false;
    value = arguments.at(++i);
    return true;
}

Parsed parseExport(const QStringList& arguments)
{
    Export options;
    bool seen[4] = {false, false, false, false};
    bool filesOnly = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& word = arguments.at(i);
        const QStringList names{QStringLiteral("--in"), QStringLiteral("--out"), QStringLiteral("--note"),
                                QStringLiteral("--to")};
        QString* const values[] = {&options.in, &options.out, &options.note, &options.to};
        const qsizetype option = filesOnly ? -1 : names.indexOf(word);
        if (option >= 0) {
            if (seen[option] || !takeValue(arguments, i, *values[option]))
                return failed(QStringLiteral("%1 needs one value").arg(word));
            seen[option] = true;
        } else if (!filesOnly && word == QStringLiteral("--")) {
            filesOnly = true;
        } else if (!filesOnly && word.startsWith(QStringLiteral("--"))) {
            return failed(QStringLiteral("unknown option %1").arg(word));
        } else {
            options.files.append(word);
        }
    }
    if (!seen[0] || !seen[1] || !seen[3])
        return failed(QStringLiteral("--export needs --in TIME, --out TIME and --to FOLDER"));
    if (options.files.isEmpty())
        return failed(QStringLiteral("--export needs at least one FILE"));
    Parsed parsed;
    parsed.exportSpan = options;
    return parsed;
}

}

Parsed parse(const QStringList& arguments)
{
    if (arguments.value(0) == QStringLiteral("--verify")) {
        if (arguments.size() != 2 || arguments.at(1).isEmpty())
            return failed(QStringLiteral("--verify needs exactly one FOLDER"));
        Parsed parsed;
        parsed.verify = Verify{arguments.at(1)};
        return parsed;
    }
    if (arguments.value(0) == QStringLiteral("--export"))
        return parseExport(arguments);
    return failed(QStringLiteral("expected --verify or --export"));
}

bool isRelative(const QString& text)
{
    return text.endsWith(u's') && text.size() > 1;
}

std::optional<uint64_t> parseTime(const QString& text, uint64_t fileStart)
{
    if (isRelative(text)) {
        bool ok = false;
        const double seconds = text.chopped(1).toDouble(&ok);
        if (!ok || !std::isfinite(seconds) || seconds < 0 || seconds > kLongestOffsetSeconds ||
            !text.front().isDigit())
            return std::nullopt;
        return fileStart + static_cast<uint64_t>(std::llround(seconds * kUsPerSecond));
    }
    const QDateTime when = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!when.isValid() || when.toMSecsSinceEpoch() <= 0)
        return std::nullopt;
    return static_cast<uint64_t>(when.toMSecsSinceEpoch()) * 1000;
}

}
