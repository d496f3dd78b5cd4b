#include "command_line.h"

namespace kc::cli {

std::optional<uint16_t> ParsePortNumber(const QString& text) {
    bool ok = false;
    const uint value = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? text.mid(2).toUInt(&ok, 16)
                                                                                 : text.toUInt(&ok, 10);
    if (!ok || value == 0 || value > 0xFFFF)
        return std::nullopt;
    return uint16_t(value);
}

QString UsageText() {
    return QStringLiteral(
        "Aufruf: kartocheck-cli read PN [--trace] [--xml] [--validate]\n"
        "                          [--schema-vd DATEI] [--schema-pd DATEI] [--schema-gvd DATEI]\n"
        "       kartocheck-cli scan [--trace]\n"
        "       kartocheck-cli diagnose PN [--trace]\n"
        "  scan       prüft alle Schnittstellen auf ein Chipkartenterminal und liest dort die Karte\n"
        "  diagnose PN  prüft die Schnittstelle PN im Dialog\n"
        "  read PN    liest die Versichertenkarte am Port PN und zeigt die Kartendaten,\n"
        "             die Statusseite des Ports und bei einer eGK die eGK Informationen\n"
        "  PN         CT-API Portnummer: 1-4 COM 1-4, 5-256 weitere serielle Ports,\n"
        "             8192+n (0x2000+n) USB Device n+1\n"
        "  --trace    jedes Kommando an das Terminal und seine Antwort ausgeben\n"
        "  --xml      die dekomprimierten XML Daten der eGK ausgeben\n"
        "  --validate die XML Daten der eGK lokal validieren\n"
        "  --schema-vd, --schema-pd, --schema-gvd DATEI\n"
        "             anderes Schema für allgemeine, persönliche oder geschützte\n"
        "             Versichertendaten verwenden\n"
        "Rückgabewert: 0 Kartendaten gelesen, 1 keine Kartendaten, 2 Fehler der\n"
        "Terminal-Bibliothek, 64 falscher Aufruf.");
}

} // namespace kc::cli
