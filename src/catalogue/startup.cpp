#include "catalogue/startup.h"

#include "catalogue/listtype.h"
#include "platform/settingsstore.h"
#include "options/valuetext.h"

int restoredListType(const SettingsStore& settings)
{
    const QString stored =
        settings.read(QStringLiteral("Games"), QStringLiteral("ListType"), QStringLiteral("0"));
    return static_cast<int>(valuetext::wholeNumber(stored, 0, kListTypeCount - 1).value_or(0));
}
