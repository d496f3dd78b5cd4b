// SPDX-License-Identifier: Apache-2.0
#include "discovery/diagnosis_texts.h"

#include "base/message_boxes.h"

#include <QStringList>

namespace kc {
namespace {

QString Lines(const QStringList& lines) {
    return lines.join(kCrLf);
}

DiagnosisTexts Build() {
    const QString kCableQuestion = Lines({
        QStringLiteral("Haben Sie das Zavia Chipkartenterminal mit dem "),
        QStringLiteral("Anschlußkabel für die serielle Schnittstelle RS 232 "),
        QStringLiteral("(KBV Spezifikation beachten) ohne weitere Verlängerungskabel "),
        QStringLiteral("und Adapter mit Ihrem PC verbunden? "),
    });
    const QString kCableAdvice = Lines({
        QStringLiteral("Schalten Sie bitte Ihren PC aus und schließen Sie "),
        QStringLiteral("das Zavia Chipkartenterminal nur über das KBV konforme "),
        QStringLiteral("Kommunikationskabel an den PC an. Beachten Sie dazu "),
        QStringLiteral("unbedingt die Dokumentation Ihres Systemlieferanten und "),
        QStringLiteral("PC-Herstellers. "),
    });
    const QString kPowerQuestion = Lines({
        QStringLiteral("Haben Sie das Zavia Chipkartenterminal mit dem "),
        QStringLiteral("mitgelieferten Steckernetzteil an die Netzdose "),
        QStringLiteral("angeschlossen bzw. haben Sie den Handy-Kartenleser "),
        QStringLiteral("eingeschaltet? "),
    });
    const QString kPowerAdvice = Lines({
        QStringLiteral("Schließen Sie das Zavia Chipkartenterminal mit dem "),
        QStringLiteral("mitgelieferten Steckernetzteil an die Netzsteckdose an "),
        QStringLiteral("bzw. schalten Sie den Handy-Kartenleser ein. "),
    });
    const QString kFormatQuestion = Lines({
        QStringLiteral("Haben Sie am Zavia Chipkartenterminal das Ausgabeformat auf"),
        QStringLiteral("PC-ASN.1 bzw. PC-Festformat gestellt? "),
    });
    const QString kFormatAdvice = Lines({
        QStringLiteral("Damit Kartendaten vom Rechner (PC) gelesen werden können, "),
        QStringLiteral("ist der Chipkartenleser auf das entsprechende Ausgabemedium "),
        QStringLiteral("PC-ASN.1 bzw. PC-Festformat einzustellen. Stellen Sie jetzt "),
        QStringLiteral("das entsprechende Anzeigeformat ein. "),
        QStringLiteral("Hauptmenü/Unterpunkt \\4 Ausgabemedium"),
    });
    const QString kBaudQuestion = Lines({
        QStringLiteral("Haben Sie am Zavia Chipkartenterminal die richtige "),
        QStringLiteral("Baudrate (9600,e,8,1) eingestellt? "),
    });
    const QString kBaudAdvice = Lines({
        QStringLiteral("Stellen Sie jetzt am Zavia Chipkartenterminal die richtige "),
        QStringLiteral("Baudrate (9600,e,8,1) ein. "),
        QStringLiteral(""),
        QStringLiteral("Hauptmenü/Unterpunkt \\964 Service\\Konfiguration\\Baudrate SIO-0."),
        QStringLiteral("9600,e,8,1 einstellen."),
    });

    return DiagnosisTexts{
        {{{kCableQuestion, kCableAdvice},
          {kPowerQuestion, kPowerAdvice},
          {kFormatQuestion, kFormatAdvice},
          {kBaudQuestion, kBaudAdvice}}},
        QStringLiteral("Es ist keine weitere Fehlerquelle bekannt.") + kCrLf,
    };
}

} // namespace

const DiagnosisTexts& Diagnosis() {
    static const DiagnosisTexts texts = Build();
    return texts;
}

} // namespace kc
