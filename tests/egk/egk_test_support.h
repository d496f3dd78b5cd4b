#pragma once

#include "base/app_state.h"
#include "base/context.h"
#include "egk/xml_document.h"
#include "fake_ctapi.h"
#include "fake_ui.h"
#include "terminal/ctapi_provider.h"
#include "terminal/terminal_session.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace kc::test {

// A file below tests/data/egk, read as bytes.
QByteArray EgkTestFile(const QString& relativePath);
QString EgkTestPath(const QString& relativePath);

// gzip data of the bytes, as a card stores its documents.
QByteArray Gzip(const QByteArray& bytes);

// The gzip stretches of raw card files given as hex text.
QByteArray PdStretch(const QByteArray& efPd);
QByteArray VdStretch(const QByteArray& efVd);
QByteArray GvdStretchOfVd(const QByteArray& efVd);

// A document loaded from text with the test's own XML (UTF-8 in the source).
std::unique_ptr<XmlDocument> Parsed(const QString& text);

// Everything a load needs, with the user interface replaced.
struct LoadBench {
    FakeCtApi api;
    FixedCtApiProvider provider{api};
    AppState state;
    ScriptedMessageBoxes boxes;
    RecordingStatusLine status;
    CountingEventPump pump;
    TerminalSession session{provider, state.tables, boxes, pump};
    Context ctx{state, session, boxes, status, pump};
};

} // namespace kc::test
