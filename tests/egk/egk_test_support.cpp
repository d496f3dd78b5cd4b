// SPDX-License-Identifier: Apache-2.0
#include "egk_test_support.h"

#include "sim_harness.h"

#include <QFile>
#include <gtest/gtest.h>
#include <zlib.h>

namespace kc::test {

QString EgkTestPath(const QString& relativePath) {
    return SimHarness::TestDataDir() + QStringLiteral("/egk/") + relativePath;
}

QByteArray EgkTestFile(const QString& relativePath) {
    QFile file(EgkTestPath(relativePath));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "missing test file " << relativePath.toStdString();
        return {};
    }
    return file.readAll();
}

QByteArray Gzip(const QByteArray& bytes) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&stream, uLong(bytes.size()))) + 32, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
    stream.avail_in = uInt(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return out;
}

std::unique_ptr<XmlDocument> Parsed(const QString& text) {
    auto document = std::make_unique<XmlDocument>();
    EXPECT_TRUE(document->loadXml(text)) << document->parseErrorReason().toStdString();
    return document;
}

} // namespace kc::test
