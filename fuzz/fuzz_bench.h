// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "egk/vsd_loading.h"
#include "fake_context.h"

namespace kc::fuzz {

// Everything a flow needs, fresh for each input: the terminal is a fake
// library, every box gets its default button, a library fault that would end
// the program is only recorded.
using FuzzBench = test::FakeContext;

// Loads a document as VD (kind 0), PD (1) or GVD (anything else). Only
// crashes, hangs and leaks count here, not the outcome of the load.
inline void LoadDocumentOfKind(FuzzBench& bench, int kind, const QByteArray& document) {
    EgkFieldBuffer fields;
    if (kind == 0)
        static_cast<void>(LoadVdDocument(bench.ctx, document, fields, 1));
    else if (kind == 1)
        static_cast<void>(LoadPdDocument(bench.ctx, document, fields, 1));
    else
        static_cast<void>(LoadGvdDocument(bench.ctx, document, fields, 1));
}

} // namespace kc::fuzz
