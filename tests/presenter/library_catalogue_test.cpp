// SPDX-License-Identifier: Apache-2.0
// Which libraries the chooser offers and which it names as the likely fit.
#include "presenter/library_catalogue.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kc {
namespace {

TEST(LibraryCatalogue, OwnLibrariesFromBothFoldersThenFurtherOnesInThePrivateFolder) {
    QTemporaryDir root;
    const QString program = root.filePath("bin"), lib = root.filePath("lib");
    QDir().mkpath(program);
    QDir().mkpath(lib);
    for (const QString& file :
         {program + "/libmktsim.so", lib + "/libctapi-pcsc.so", lib + "/libctmaker.so.1",
          lib + "/kartocheck-ctapi-host", program + "/libother.so"}) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QList<LibraryEntry> entries = FindInstalledLibraries(program, lib);
    QStringList shown;
    for (const LibraryEntry& e : entries)
        shown << e.path + "|" + e.purpose + (e.simulator ? "|sim" : "");
    EXPECT_EQ(shown, QStringList({lib + "/libctapi-pcsc.so|Kartenleser unter pcscd (PC/SC)",
                                  program + "/libmktsim.so|Simulator – kein echtes Terminal|sim",
                                  lib + "/libctmaker.so.1|CT-API-Bibliothek eines Herstellers"}));
}

TEST(LibraryCatalogue, LikelyFitFromPcscdReadersThenSerialDevices) {
    const QList<LibraryEntry> all = {{"libctapi-pcsc.so", "/p", "", false},
                                     {"libctapi-serial.so", "/s", "", false},
                                     {"libmktsim.so", "/m", "", true}};
    const QList<LibraryEntry> noPcsc = {all[1], all[2]};
    const struct {
        const QList<LibraryEntry>* entries;
        std::optional<int> readers;
        int serial;
        int expected;
        const char* text;
    } cases[] = {
        {&all, 2, 1, 0, "Vermutlich passend: libctapi-pcsc.so – pcscd meldet 2 Leser."},
        {&all, 0, 1, 1, "Vermutlich passend: libctapi-serial.so – 1 serielle Schnittstelle gefunden."},
        {&all, std::nullopt, 3, 1,
         "Vermutlich passend: libctapi-serial.so – 3 serielle Schnittstellen gefunden."},
        {&noPcsc, 1, 0, -1,
         "Keine passende Bibliothek erkannt: pcscd meldet 1 Leser, 0 serielle Schnittstellen gefunden."},
        {&all, std::nullopt, 0, -1,
         "Keine passende Bibliothek erkannt: kein pcscd antwortet, 0 serielle Schnittstellen gefunden."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const LikelyFit fit = FindLikelyFit(*c.entries, {c.readers, c.serial});
        EXPECT_EQ(fit.entry, c.expected);
        EXPECT_EQ(fit.text, QString::fromUtf8(c.text));
    }
}

} // namespace
} // namespace kc
