#include "mame/mamerun.h"

#include "platform/appinfo.h"
#include "platform/files.h"
#include "platform/messageboxes.h"
#include "platform/platform.h"

#include <QDir>

std::unique_ptr<FileLock> lockProgramDirectory(Platform& platform, bool* refused)
{
    bool heldElsewhere = false;
    QString error;
    std::unique_ptr<FileLock> lock = platform.files.lock(
        QDir(platform.programDir).filePath(QStringLiteral("KvCfg/Korvane.lock")), &heldElsewhere,
        &error);
    *refused = heldElsewhere;
    if (heldElsewhere) {
        platform.messages.show(
            QStringLiteral("Another Korvane is updating the games list (or verifying) in %1.")
                .arg(QDir::toNativeSeparators(platform.programDir)),
            appTitle(), MessageButtons::Ok);
    }
    return lock;
}
