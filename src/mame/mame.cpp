#include "mame/mame.h"

QString describeMame(const MameInfo& info, const QString& word)
{
    if (info.program.isEmpty())
        return QStringLiteral("no program %1 was found").arg(word);
    if (info.notAsked)
        return QStringLiteral("%1, not asked yet which MAME it is (it is asked when a game "
                              "starts with it)")
            .arg(info.program);
    if (info.dialect == MameDialect::Today) {
        const QString version = info.version.isEmpty() ? QStringLiteral("of today") : info.version;
        return QStringLiteral("MAME %1 at %2").arg(version, info.program);
    }
    return QStringLiteral("the classic MAME at %1").arg(info.program);
}
