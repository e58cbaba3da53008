#include "ExportCommandLine.h"
#include "KvSingleApplication.h"
#include "QuitOnSignal.h"
#include "Startup.h"
#include "StartupRules.h"

// Qt 6 reads tr() texts and 8-bit strings as UTF-8, which on Linux is also the
// local 8-bit encoding, so there are no text codecs to set up.
int main(int argc, char** argv)
{
    if (ExportCommandLine::handles(argc, argv))
        return ExportCommandLine::run(argc, argv);
    KvSingleApplication app(argc, argv);
    const QString startupFile = StartupRules::firstArgument(argc, argv);
    if (app.isRunning()) {
        app.sendMessage(startupFile, 5000);
        return 0;
    }

    QuitOnSignal quitOnSignal;
    Startup startup(app);
    if (startup.prepare(startupFile) != 0)
        return -1;
    const int result = app.exec();
    startup.shutdown(result);
    return 0;
}
