#include "mame/catalogueupdate.h"

#include "catalogue/gamelistreader.h"
#include "platform/files.h"

CatalogueUpdate::CatalogueUpdate(const MameInfo& mame, FileReplacement& list)
    : m_xml(mame.printsXmlCatalogue())
    , m_list(list)
{
    if (m_xml)
        m_converter.emplace(list);
}

Command CatalogueUpdate::command() const
{
    return {QStringLiteral("MAME"),
            {m_xml ? QStringLiteral("-listxml") : QStringLiteral("-listinfo")}};
}

bool CatalogueUpdate::take(QByteArrayView output)
{
    if (m_converter)
        return m_converter->feed(output);
    return m_list.write(output.data(), output.size()) == output.size();
}

QString CatalogueUpdate::problem(const EmulatorRunResult& run)
{
    switch (run.status) {
    case EmulatorRunResult::Status::NotStarted:
        return QStringLiteral("MAME could not be started (%1)").arg(run.error);
    case EmulatorRunResult::Status::Cancelled:
        return QStringLiteral("the update was cancelled");
    case EmulatorRunResult::Status::Stopped:
        // Only a failed write, or a catalogue the conversion cannot go on with, stops a run.
        if (!m_converter || !m_list.writeError().isEmpty())
            return QStringLiteral("the new list could not be written: %1").arg(m_list.writeError());
        return QStringLiteral("MAME's catalogue could not be read: %1")
            .arg(m_converter->finish().error);
    case EmulatorRunResult::Status::Ended:
        if (!run.exitedNormally)
            return QStringLiteral("MAME stopped before it had finished");
        if (run.exitCode != 0)
            return QStringLiteral("MAME ended with exit code %1").arg(run.exitCode);
        break;
    }
    if (!m_converter)
        return problemWithListInfo();
    const ListXmlConversion converted = m_converter->finish();
    if (!m_list.writeError().isEmpty())
        return QStringLiteral("the new list could not be written: %1").arg(m_list.writeError());
    if (!converted.ok)
        return QStringLiteral("MAME's catalogue could not be read: %1").arg(converted.error);
    if (converted.games == 0)
        return QStringLiteral("MAME's output holds no games");
    return {};
}

QString CatalogueUpdate::problemWithListInfo()
{
    if (!m_list.seek(0))
        return QStringLiteral("the new list could not be read back");
    int games = 0;
    bool cutShort = false;
    // The reader hands over only blocks that are complete, so one is enough to know that
    // the output is a catalogue.
    if (!ReadGameList(
            m_list, [&games](CatalogueEntry&&) { ++games; }, &cutShort))
        return QStringLiteral("the new list could not be read back");
    if (games == 0)
        return QStringLiteral("MAME's output holds no games");
    if (cutShort)
        return QStringLiteral("MAME's output stops inside a block");
    return {};
}
