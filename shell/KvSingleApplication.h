#pragma once

#include "InstanceGuard.h"

#include <QApplication>
#include <QString>

#include <memory>

// The application object of a program that runs once per user: a later start
// finds the running instance, hands it a text and ends.
class KvSingleApplication : public QApplication
{
    Q_OBJECT

public:
    KvSingleApplication(int& argc, char** argv,
                        const QString& runtimeDir = InstanceGuard::defaultRuntimeDir());
    ~KvSingleApplication() override;

    // True when another live instance of this user runs.
    bool isRunning() const;

    // Hands message to the running instance; blocks for at most timeoutMs.
    // True only when that instance confirmed it; always false in the running
    // instance itself.
    bool sendMessage(const QString& message, int timeoutMs);

signals:
    // In the running instance: a later start handed over this text.
    void messageReceived(const QString& message);

private:
    std::unique_ptr<InstanceGuard> m_guard;
};
