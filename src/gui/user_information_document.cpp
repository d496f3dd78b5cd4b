// SPDX-License-Identifier: Apache-2.0
#include "gui/first_user_window.h"

namespace kc {
namespace {

// Arial 8 pt, justified, right indent 284 twips (19 px); numbered steps hang
// their text at the same 19 px, sub-paragraphs are indented by that again.
const char* const kDocument = R"(<html><body style="font-family:Arial; font-size:8pt;">
<p align="justify" style="margin-right:19px;">Bitte beachten bzw. erledigen Sie die folgenden Punkte, bevor Sie mit
dem Test fortfahren. Hinweise zu den Grundeinstellungen Ihres Chipkartenterminals finden Sie in dessen
Bedienungsanleitung oder in der Datei <i>Liesmich.txt</i>.</p>
<p align="justify" style="margin-right:19px;">KartoCheck prüft die Chipkartenterminals der Familie VEX (Modelle K1 bis
K7) und der Familie Zavia (Serien Q1 bis Q4).</p>
<p align="justify" style="margin-right:19px;"><b><u>Dieses Programm dient ausschließlich Service- und Testzwecken von
Softwareentwicklern. Es ist für die Abrechnung von Leistungen im Gesundheitswesen nicht zertifiziert. Jede andere
Verwendung als der Test der Installation und der Schnittstellen ist nicht gestattet.</u></b></p>
<p align="justify" style="margin-right:19px;"><b>Achtung:</b> Wird ein mobiles Kartenterminal in einer seiner mobilen
Betriebsarten getestet, so löscht KartoCheck nach dem Lesetest den gelesenen Datensatz automatisch.</p>

<p align="justify" style="margin-left:19px; margin-right:19px; text-indent:-19px;">1.&nbsp;&nbsp;&nbsp;Prüfen Sie, ob das
serielle Kabel am PC und am Chipkartenterminal (Tischgerät oder mobiles Gerät) fest sitzt.</p>

<p align="justify" style="margin-left:19px; margin-right:19px; text-indent:-19px;">2.&nbsp;&nbsp;&nbsp;Inbetriebnahme:</p>
<p align="justify" style="margin-left:38px; margin-right:19px;"><b>Stationäres Terminal:</b> Das Gerät braucht
Strom; die grüne LED muss leuchten.</p>
<p align="justify" style="margin-left:38px; margin-right:19px;"><b>Mobiles Terminal:</b> Einschalten mit einer
beliebigen Taste. Nach einer Minute ohne Bedienung schaltet es sich selbst wieder aus.</p>

<p align="justify" style="margin-left:19px; margin-right:19px; text-indent:-19px;">3.&nbsp;&nbsp;&nbsp;Stellen Sie
das Ausgabemedium des Terminals auf &quot;PC-ASN.1&quot; oder &quot;PC-Festformat&quot;, zum Beispiel:</p>
<p align="justify" style="margin-left:38px; margin-right:19px;"><b>VEX K5:</b> Menü &gt; Einstellungen &gt;
Ausgabe &gt; PC-ASN.1<br><b>Zavia Serie Q2:</b> Taste Menü, 3 Schnittstelle, 1 Ausgabeformat, PC-Festformat</p>

<p align="justify" style="margin-left:19px; margin-right:19px; text-indent:-19px;">4.&nbsp;&nbsp;&nbsp;Stellen Sie
die Schnittstelle auf 9600 Baud, gerade Parität (even), 8 Datenbits und 1 Stoppbit ein. Bei einigen älteren Modellen
und bei Softwareständen bis 2.5 ist das nicht nötig. Beispiele:</p>
<p align="justify" style="margin-left:38px; margin-right:19px;"><b>VEX K3:</b> Menü &gt; System &gt; Schnittstelle
&gt; 9600 8E1<br><b>Zavia Serie Q3:</b> Taste Menü, 3 Schnittstelle, 2 Baudrate, 9600</p>

<p align="justify" style="margin-left:19px; margin-right:19px; text-indent:-19px;">5.&nbsp;&nbsp;&nbsp;Manche Serien
lassen sich zwischen einem Kompatibilitätsmodus und dem Modus &quot;MKT&quot; umschalten. Ältere Softwarestände müssen
nach dem Umschalten aus- und wieder eingeschaltet werden. Welcher Modus richtig ist, hängt von Ihrer Praxissoftware
ab. Beispiele:</p>
<p align="justify" style="margin-left:38px; margin-right:19px;"><b>Zavia Serie Q1:</b> Taste Menü, 4 Betriebsart,
MKT<br><b>Zavia Serie Q4:</b> Taste Menü, 4 Betriebsart, PC bzw. Mob. PC+Weiche</p>

<p align="justify" style="margin-left:19px; margin-right:19px; text-indent:-19px;">6.&nbsp;&nbsp;&nbsp;Beenden Sie
alle Anwendungen, die das Chipkartenterminal benutzen.</p>

<p align="justify" style="margin-left:19px; margin-right:19px; text-indent:-19px;">7.&nbsp;&nbsp;&nbsp;Halten Sie eine
gültige KVK oder eGK bereit, oder speichern Sie den Datensatz einer KVK bzw. den VSD-Datensatz einer eGK als
Testdatensatz in einem mobilen Terminal (zum Beispiel VEX Handy K7).</p>

<p align="justify" style="margin-left:19px; margin-right:19px; text-indent:-19px;">8.&nbsp;&nbsp;&nbsp;Starten Sie
dann den Test. Erkennt KartoCheck ein mobiles Terminal, fragt es vor dem Lesen nach, denn die Daten werden danach im
Terminal gelöscht.</p>
</body></html>)";

} // namespace

QString UserInformationDocument() {
    return QString::fromUtf8(kDocument);
}

} // namespace kc
