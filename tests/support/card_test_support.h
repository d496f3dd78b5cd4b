// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/read_result.h"
#include "data_rows.h"
#include "sim_harness.h"
#include "test_printers.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace kc::test {

// A harness on a scenario: a name ending in ".scn" is a file of the scenario
// folder, anything else the scenario's text.
std::unique_ptr<SimHarness> Harness(const QString& scenario);

// A record of tests/data/kvk as hex text, without the line break.
QString KvkRecordFile(const QString& name);

// A data object: tag, one length byte, value.
QString Tlv(int tag, const QByteArray& value);

// The additions a handheld appends to a record: read date, approval number
// and the checksum object; `checksumDelta` spoils the checksum when non-zero.
QString HandheldAdditions(const QByteArray& readDate, const QByteArray& approval, int checksumDelta = 0);

// Case-file steps on the slot of `pn` before a run: egk, mobile, locked,
// stale (old first name shown), keepname, oldstatus, oldserial, validate,
// responding, open (a session left open), scanned.
void Prepare(SimHarness& h, const QString& what, uint16_t pn);

// What a case file checks after a run: mobile, egk, open, present, sent:APDU,
// gvd (rows shown) (0/1), model, type, medium, serial, vsd, status (its length), xml0 (PD), xml2
// (GVD), log and logend (its last three, joined by ','), ui7 (the shown first
// name), or an insured field's index.
QString Seen(SimHarness& h, const QString& what, uint16_t pn);

// The boxes of a case-file field (coded by their first character), as Shown() gives them.
QStringList BoxesOf(const QString& field);

// Checks each "what=value" item of a case-file field with Seen().
void ExpectSeen(SimHarness& h, const QString& checks, uint16_t pn);

ReadResult ResultOf(const QString& name);

} // namespace kc::test
