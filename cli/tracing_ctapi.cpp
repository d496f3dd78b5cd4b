// SPDX-License-Identifier: Apache-2.0
#include "tracing_ctapi.h"

#include "terminal/hex_codec.h"
#include "trace_log.h"

namespace kc::cli {
namespace {

QString UnitName(uint8_t unit) {
    switch (unit) {
    case 0:
        return QStringLiteral("Karte");
    case 1:
        return QStringLiteral("Terminal");
    default:
        return QStringLiteral("Host");
    }
}

} // namespace

int8_t TracingCtApi::init(uint16_t ctn, uint16_t pn) {
    const int8_t code = inner_.init(ctn, pn);
    trace_.line(QStringLiteral("CT_init pn=%1 -> %2").arg(pn).arg(code));
    return code;
}

int8_t TracingCtApi::data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, uint8_t* command,
                          uint16_t* lenr, uint8_t* response) {
    const uint16_t capacity = lenr ? *lenr : 0;
    trace_.line(
        QStringLiteral("an %1:  %2").arg(UnitName(dad ? *dad : 2), BytesToHex(command, command ? lenc : 0)));
    const int8_t code = inner_.data(ctn, dad, sad, lenc, command, lenr, response);
    if (code == 0 && lenr && response) {
        // Never print past the buffer, whatever length the library claims.
        trace_.line(QStringLiteral("von %1: %2")
                        .arg(UnitName(sad ? *sad : 2), BytesToHex(response, qMin<int>(*lenr, capacity))));
    } else {
        trace_.line(QStringLiteral("Fehler %1").arg(code));
    }
    return code;
}

int8_t TracingCtApi::close(uint16_t ctn) {
    const int8_t code = inner_.close(ctn);
    trace_.line(QStringLiteral("CT_close -> %1").arg(code));
    return code;
}

int32_t TracingCtApi::getBaudrate(uint16_t ctn, int32_t* baud) {
    return inner_.getBaudrate(ctn, baud);
}

CtApi* ConsoleCtApiProvider::acquire(LibraryFault& fault) {
    CtApi* api = library_.acquire(fault);
    if (!api || !trace_)
        return api;
    if (!tracing_)
        tracing_ = std::make_unique<TracingCtApi>(*api, *trace_);
    return tracing_.get();
}

} // namespace kc::cli
