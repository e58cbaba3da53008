#pragma once

#include <QString>

#include <memory>

class KvSingleApplication;
class QSettings;
class QTranslator;
class window_main;

// The first instance's start-up and shutdown, step by step, in the order in
// which later steps read what earlier ones prepared: the company name names the
// user settings folder, the settings must exist before the language is chosen,
// and the language table must be loaded before the main window is built.
class Startup
{
public:
    explicit Startup(KvSingleApplication& app);
    ~Startup();

    // Prepares everything and shows the main window. Returns 0, or -1 when the
    // user settings file cannot be created.
    int prepare(const QString& startupFile);

    // Runs after the event loop; destroys what prepare() built, in order.
    void shutdown(int loopResult);

private:
    void installStyleSheet();
    void identifyBrand();
    bool ensureUserSettings();
    void loadLanguage();
    void createMainWindow(const QString& startupFile);

    KvSingleApplication& m_app;
    QString m_programDir;
    std::unique_ptr<QSettings> m_programSettings;
    std::unique_ptr<QTranslator> m_translator;
    std::unique_ptr<window_main> m_window;
};
