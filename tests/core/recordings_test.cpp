// recordings_test.cpp: which game a recording was made of, read from its header as Debian's
// MAME 0.251 wrote it. The listing's order is the playback list's (gamelaunch_test.cpp).

#include "mame/recordingslisting.h"

#include "testfiles.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

QByteArray withBytes(QByteArray bytes, qsizetype at, QByteArrayView put)
{
    return bytes.replace(at, put.size(), put.toByteArray());
}

// Only today's header, whole up to the end of the name, names a game; anything else leaves
// the selected game to be played, as for the classic MAME's files.
TEST(Recordings, theHeaderNamesTheGameOnlyWhenItIsTodaysAndWhole)
{
    const QByteArray pong = testfiles::read(testfiles::recordedRun(QStringLiteral("pong"), ".inp"));
    ASSERT_GT(pong.size(), 0x40);
    const struct
    {
        const char* what;
        QByteArray head;
        std::optional<QString> machine;
    } cases[] = {
        {"recorded by MAME 0.251", pong, QStringLiteral("pong")},
        {"its header up to the build's text", pong.first(0x20), QStringLiteral("pong")},
        {"cut inside the name's field", pong.first(0x1f), std::nullopt},
        {"a name that fills its field", withBytes(pong, 0x14, "abcdefghijkl"),
         QStringLiteral("abcdefghijkl")},
        {"no name", withBytes(pong, 0x14, QByteArray(12, '\0')), std::nullopt},
        {"another format version", withBytes(pong, 0x10, "\x02"), std::nullopt},
        {"another mark", withBytes(pong, 0, "MAMEINX"), std::nullopt},
        {"the classic MAME's: inputs from the first byte", QByteArray(64, '\x01'), std::nullopt},
        {"empty", QByteArray(), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(recordedMachine(c.head), c.machine);
    }
}

} // namespace
