#pragma once

#include "mame/mame.h"

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

struct Platform;

// Whether identifying a program may run it.
enum class Asking
{
    Allowed,
    // Only what is stored or set: a program that a file merely names (a per-game file's
    // alternate build, loaded because a row was clicked) is not run for that.
    StoredOnly,
};

// The version at the start of an answer to "-version" when it is today's MAME's: digits, a
// dot and digits whose whole number is 37 or more ("0.251 (unknown)" gives "0.251").
// nullopt for any other answer, an empty one included: that is the classic MAME.
std::optional<QString> todaysMameVersion(QByteArrayView answer);

// The value of the rompath line of "-showconfig", without the quotes MAME puts around a
// value holding blanks; empty when there is none.
QString rompathFromConfig(QByteArrayView config);
// The same of its snapshot_directory line.
QString snapshotDirectoryFromConfig(QByteArrayView config);

// The settings store's "Emulator"/Kind: "auto" (the default) takes the program's answer,
// "classic" and "today" override it.
inline constexpr QStringView kEmulatorSection = u"Emulator";

// Finds out which MAME a program word names. The program is asked ("-version", and
// "-showconfig" for today's MAME) only when its file is new or has changed since the
// answer was stored: the answer is kept per program file in the settings store, so an
// unchanged program is asked once, whatever the number of starts.
class MameIdentity
{
public:
    explicit MameIdentity(Platform& platform);

    MameInfo identify(const QString& word, Asking asking = Asking::Allowed);

    // Called with the program's path just before it is asked, which may take a moment.
    void setBeforeAsking(std::function<void(const QString&)> beforeAsking)
    {
        m_beforeAsking = std::move(beforeAsking);
    }

private:
    MameInfo ask(const QString& program, bool today);
    std::optional<MameInfo> stored(const QString& program, const QString& stamp) const;
    void store(const QString& program, const QString& stamp, const MameInfo& info,
               bool configAsked);

    Platform& m_platform;
    std::function<void(const QString&)> m_beforeAsking;
};
