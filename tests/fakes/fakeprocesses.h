#pragma once

#include "platform/processes.h"

#include <QList>
#include <QString>

// Records each command line instead of starting anything; answers with a scripted start.
class FakeProcesses final : public Processes
{
public:
    struct Started
    {
        QString commandLine;
        WindowStyle style;
    };

    ProcessStart StartProcess(const QString& commandLine, WindowStyle style) override
    {
        started.append({commandLine, style});
        return result;
    }

    QList<Started> started;
    ProcessStart result{4242, QStringLiteral("/fake/MAME"), {}};
};
