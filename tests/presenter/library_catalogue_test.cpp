// SPDX-License-Identifier: Apache-2.0
// Which libraries the chooser offers and which it names as the likely fit.
#include "data_rows.h"
#include "presenter/library_catalogue.h"
#include "test_printers.h"

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

class LikelyFitCase : public ::testing::TestWithParam<QStringList> {};

TEST_P(LikelyFitCase, FromPcscdReadersThenSerialDevices) {
    const QStringList& c = GetParam();
    QList<LibraryEntry> entries = {{"libctapi-pcsc.so", "/p", "", false},
                                   {"libctapi-serial.so", "/s", "", false},
                                   {"libmktsim.so", "/m", "", true}};
    if (c[1] == "serial")
        entries.removeFirst();
    const std::optional<int> readers = c[2] == "~" ? std::nullopt : std::optional<int>(c[2].toInt());
    const LikelyFit fit = FindLikelyFit(entries, {readers, c[3].toInt()});
    EXPECT_EQ(fit.entry, c[4].toInt());
    EXPECT_EQ(fit.text, c[5]);
}

INSTANTIATE_TEST_SUITE_P(LibraryCatalogue, LikelyFitCase,
                         ::testing::ValuesIn(test::CaseRows("presenter/likely_fit.txt")),
                         test::FirstCellName());

} // namespace
} // namespace kc
