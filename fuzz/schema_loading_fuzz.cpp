// SPDX-License-Identifier: Apache-2.0
// A person's schema file, loaded as "Neues Schema laden" loads it, then used
// to validate a card document. First byte: the schema item (VD, PD, GVD);
// second: the document version (5.1 or 5.2); the rest is the file.
#include "base/app_state.h"
#include "egk/schema_texts.h"
#include "egk/vsd_loading.h"
#include "fuzz_bench.h"
#include "fuzz_input.h"
#include "presenter/schema_menu.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray Document(const char* name) {
    QFile file(QStringLiteral(KC_FUZZ_DOCUMENTS "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QTemporaryDir folder;
    static const QString path = folder.filePath(QStringLiteral("schema.xsd"));
    static const QByteArray kDocuments[3][2] = {{Document("v51.vd.xml"), Document("v52.vd.xml")},
                                                {Document("v51.pd.xml"), Document("v52.pd.xml")},
                                                {Document("ef_gvd.xml"), Document("ef_gvd.xml")}};
    kc::fuzz::FuzzInput input(data, size);
    const int k = input.byte() % 3;
    const QByteArray& document = kDocuments[k][input.byte() & 1];
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(input.rest()) < 0)
        return 0;
    file.close();

    kc::fuzz::FuzzBench bench;
    bench.state.ValidationEnabled = true;
    kc::ReplaceSchemaText(bench.state, k, path);
    kc::fuzz::LoadDocumentOfKind(bench, k, document);
    return 0;
}
