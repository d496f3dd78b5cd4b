// SPDX-License-Identifier: Apache-2.0
#include "presenter/library_catalogue.h"

#include "base/program_folder.h"
#include "discovery/pcsc_reader_probe.h"
#include "discovery/serial_devices.h"

#include <QDir>

namespace kc {
namespace {

const QString kPcscName = QStringLiteral("libctapi-pcsc.so");
const QString kSerialName = QStringLiteral("libctapi-serial.so");
const QString kSimulatorName = QStringLiteral("libmktsim.so");

struct KnownLibrary {
    QString name;
    QString purpose;
};

const QList<KnownLibrary>& KnownLibraries() {
    static const QList<KnownLibrary> kKnown = {
        {kPcscName, QStringLiteral("Kartenleser unter pcscd (PC/SC)")},
        {kSerialName, QStringLiteral("serielle MKT-Terminals (COM, USB-Seriell-Adapter)")},
        {kSimulatorName, QStringLiteral("Simulator – kein echtes Terminal")},
    };
    return kKnown;
}

int IndexOf(const QList<LibraryEntry>& entries, const QString& name) {
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].name == name)
            return i;
    return -1;
}

} // namespace

QList<LibraryEntry> FindInstalledLibraries(const QString& programFolder, const QString& privateFolder) {
    QList<LibraryEntry> entries;
    for (const KnownLibrary& known : KnownLibraries()) {
        const QString folder = FirstFolderHolding({programFolder, privateFolder}, known.name);
        if (!folder.isEmpty())
            entries.append({known.name, folder + QLatin1Char('/') + known.name, known.purpose,
                            known.name == kSimulatorName});
    }
    if (privateFolder.isEmpty())
        return entries;
    const QStringList others =
        QDir(privateFolder)
            .entryList({QStringLiteral("*.so"), QStringLiteral("*.so.*")}, QDir::Files, QDir::Name);
    for (const QString& name : others)
        if (IndexOf(entries, name) < 0)
            entries.append({name, privateFolder + QLatin1Char('/') + name,
                            QStringLiteral("CT-API-Bibliothek eines Herstellers"), false});
    return entries;
}

QList<LibraryEntry> FindInstalledLibraries() {
    return FindInstalledLibraries(ProgramFolder(), PrivateLibraryFolder());
}

MachineFindings ProbeMachine() {
    return {CountPcscReaders(), CountSerialDevices()};
}

LikelyFit FindLikelyFit(const QList<LibraryEntry>& entries, const MachineFindings& findings) {
    const int readers = findings.pcscReaders.value_or(0);
    const QString pcscd = !findings.pcscReaders ? QStringLiteral("kein pcscd antwortet")
                                                : QStringLiteral("pcscd meldet ") + QString::number(readers) +
                                                      QStringLiteral(" Leser");
    const QString serial = QString::number(findings.serialDevices) +
                           (findings.serialDevices == 1 ? QStringLiteral(" serielle Schnittstelle")
                                                        : QStringLiteral(" serielle Schnittstellen"));
    const int pcscEntry = IndexOf(entries, kPcscName);
    if (readers > 0 && pcscEntry >= 0)
        return {pcscEntry, QStringLiteral("Vermutlich passend: ") + kPcscName + QStringLiteral(" – ") +
                               pcscd + QLatin1Char('.')};
    const int serialEntry = IndexOf(entries, kSerialName);
    if (findings.serialDevices > 0 && serialEntry >= 0)
        return {serialEntry, QStringLiteral("Vermutlich passend: ") + kSerialName + QStringLiteral(" – ") +
                                 serial + QStringLiteral(" gefunden.")};
    return {-1, QStringLiteral("Keine passende Bibliothek erkannt: ") + pcscd + QStringLiteral(", ") +
                    serial + QStringLiteral(" gefunden.")};
}

} // namespace kc
